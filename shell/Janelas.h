#pragma once
// Looks shared by the program's own windows.

#include <QColor>

class QWidget;

// The light blue background of the program's windows (RGB 122, 197, 228).
inline const QColor CorJanela{122, 197, 228};

// Fills the window's background with CorJanela.
void PintaCorJanela(QWidget *janela);

// Puts a window in the middle of its screen: (screen size − window size) / 2.
void CentraNaTela(QWidget *janela);
