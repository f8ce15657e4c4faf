#pragma once
// The program's own pictures, drawn as SVG in the resources and rendered at
// the screen's pixel density.

#include <QIcon>
#include <QPixmap>

namespace arte {

// A tool bar icon of 32×32 with its own greyed picture for the disabled state.
// `nome` is the file name under :/shell/arte without ".svg".
QIcon IconeAcao(const QString &nome);

// A picture at `tamanho` logical pixels (the SVG's own size when empty).
QPixmap Figura(const QString &nome, QSize tamanho = {});

} // namespace arte
