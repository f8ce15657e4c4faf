#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test vyrax.
# Safe to run again: packages already present are left alone.
set -euo pipefail

# One package a line, so that additions merge cleanly.
packages=(
  build-essential
  cmake
  ninja-build
  pkg-config
  qt6-base-dev
  qt6-base-dev-tools
  qt6-svg-dev
  libqt6sql6-sqlite
  libsqlite3-dev
  libqt6opengl6-dev
  libgl-dev
  libjpeg-dev
  libzip-dev
  zipcmp
  zipmerge
  ziptool
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  qt6-translations-l10n
  xvfb
  xauth
  fonts-dejavu-core
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
