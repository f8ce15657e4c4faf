#!/usr/bin/env bash
# Installs what is missing, builds, and starts vyrax against the simulated
# interface (vyrax-simulador on the simulated port SIM1).
#
#   VYRAX_DADOS       data folder (default ~/.local/share/vyrax); the empty
#                     database is made there on the first run
#   VYRAX_PORTAS_DIR  folder of the simulated ports (default: one for this run)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

export VYRAX_DADOS="${VYRAX_DADOS:-$HOME/.local/share/vyrax}"
mkdir -p "$VYRAX_DADOS"
if [ ! -f "$VYRAX_DADOS/vyrax.db" ]; then
  build/bin/vyrax-cli init --banco "$VYRAX_DADOS/vyrax.db"
fi

# A port folder of this run, so a simulator left by another run is not found.
portas_proprias=""
if [ -z "${VYRAX_PORTAS_DIR:-}" ]; then
  portas_proprias="$(mktemp -d)"
  export VYRAX_PORTAS_DIR="$portas_proprias"
fi

# The simulator reads its control commands from standard input; a FIFO held
# open keeps it running until this script ends.
controle="$(mktemp -u)"
mkfifo "$controle"
build/bin/vyrax-simulador --porta SIM1 --log "${TMPDIR:-/tmp}/vyrax-simulador.log" <"$controle" >/dev/null &
simulador=$!
exec 3>"$controle"
encerra() {
  exec 3>&-
  kill "$simulador" 2>/dev/null || true
  wait "$simulador" 2>/dev/null || true
  rm -f "$controle"
  [ -n "$portas_proprias" ] && rm -rf "$portas_proprias"
  return 0
}
trap encerra EXIT INT TERM

# The program finds the interface by itself once the port is registered.
for _ in $(seq 50); do
  [ -S "$VYRAX_PORTAS_DIR/SIM1" ] && break
  sleep 0.1
done

build/bin/vyrax
