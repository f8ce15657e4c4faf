#include "AjudaJanela.h"

#include "Mensagens.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

void ForcaMaiusculas(QLineEdit *campo)
{
    QObject::connect(campo, &QLineEdit::textEdited, campo, [campo](const QString &texto) {
        const QString maiusculo = texto.toUpper();
        if (maiusculo == texto)
            return;
        const int cursor = campo->cursorPosition();
        campo->setText(maiusculo);
        campo->setCursorPosition(cursor);
    });
}

void ForcaMaiusculas(QPlainTextEdit *campo)
{
    QObject::connect(campo, &QPlainTextEdit::textChanged, campo, [campo] {
        const QString texto = campo->toPlainText();
        const QString maiusculo = texto.toUpper();
        if (maiusculo == texto)
            return;
        const int cursor = campo->textCursor().position();
        const QSignalBlocker bloqueio(campo);
        campo->setPlainText(maiusculo);
        QTextCursor novo = campo->textCursor();
        novo.setPosition(qMin(cursor, int(maiusculo.size())));
        campo->setTextCursor(novo);
    });
}

namespace {

// Sees Enter before the control does, as a window that previews its keys.
class FiltroEnter : public QObject {
public:
    explicit FiltroEnter(QWidget *janela) : QObject(janela), m_janela(janela) {}

protected:
    bool eventFilter(QObject *alvo, QEvent *evento) override
    {
        if (evento->type() != QEvent::KeyPress)
            return false;
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter)
            return false;
        if (auto *botao = qobject_cast<QAbstractButton *>(alvo);
            botao && !botao->isCheckable()) {
            botao->click();
            return true;
        }
        // The window moves the focus as it does for Tab.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(m_janela, &tab);
        return true;
    }

private:
    QWidget *m_janela;
};

} // namespace

void EnterAvanca(QWidget *janela)
{
    auto *filtro = new FiltroEnter(janela);
    const auto filhos = janela->findChildren<QWidget *>();
    for (QWidget *filho : filhos)
        filho->installEventFilter(filtro);
}

void AvisaNoCampo(Mensagens &mensagens, QWidget *janela, const QString &texto, QWidget *campo)
{
    mensagens.Caixa(janela, QGuiApplication::applicationDisplayName(), texto, Icone::Nenhum, Botoes::Ok);
    campo->setFocus();
}
