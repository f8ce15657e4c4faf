#pragma once
// Small behaviours shared by the catalogue and new-evaluation windows.

class Mensagens;
class QLineEdit;
class QPlainTextEdit;
class QString;
class QWidget;

// Whatever is typed or pasted shows in upper case.
void ForcaMaiusculas(QLineEdit *campo);
void ForcaMaiusculas(QPlainTextEdit *campo);

// Enter in any field of the window moves the focus to the next control;
// Enter on a button still presses it.
void EnterAvanca(QWidget *janela);

// Tells what is wrong with `campo` in a box over `janela` and puts the focus
// back on the field.
void AvisaNoCampo(Mensagens &mensagens, QWidget *janela, const QString &texto, QWidget *campo);
