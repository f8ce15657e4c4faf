#include "MensagensQt.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <utility>
#include <vector>

namespace {

QMessageBox::Icon IconeQt(Icone icone)
{
    switch (icone) {
    case Icone::Informacao:
        return QMessageBox::Information;
    case Icone::Exclamacao:
        return QMessageBox::Warning;
    case Icone::Erro:
        return QMessageBox::Critical;
    case Icone::Pergunta:
        return QMessageBox::Question;
    case Icone::Nenhum:
        break;
    }
    return QMessageBox::NoIcon;
}

// Buttons in the order the user reads them, with Portuguese captions.
std::vector<std::pair<Botao, QMessageBox::StandardButton>> BotoesQt(Botoes botoes)
{
    switch (botoes) {
    case Botoes::Ok:
        return {{Botao::Ok, QMessageBox::Ok}};
    case Botoes::OkCancel:
        return {{Botao::Ok, QMessageBox::Ok}, {Botao::Cancel, QMessageBox::Cancel}};
    case Botoes::YesNo:
        return {{Botao::Yes, QMessageBox::Yes}, {Botao::No, QMessageBox::No}};
    case Botoes::YesNoCancel:
        return {{Botao::Yes, QMessageBox::Yes}, {Botao::No, QMessageBox::No},
                {Botao::Cancel, QMessageBox::Cancel}};
    case Botoes::RetryCancel:
        return {{Botao::Retry, QMessageBox::Retry}, {Botao::Cancel, QMessageBox::Cancel}};
    case Botoes::AbortRetryIgnore:
        return {{Botao::Abort, QMessageBox::Abort}, {Botao::Retry, QMessageBox::Retry},
                {Botao::Ignore, QMessageBox::Ignore}};
    }
    return {};
}

QString Rotulo(Botao botao)
{
    switch (botao) {
    case Botao::Ok:
        return QStringLiteral("OK");
    case Botao::Cancel:
        return QStringLiteral("Cancelar");
    case Botao::Yes:
        return QStringLiteral("&Sim");
    case Botao::No:
        return QStringLiteral("&Não");
    case Botao::Retry:
        return QStringLiteral("&Repetir");
    case Botao::Abort:
        return QStringLiteral("&Anular");
    case Botao::Ignore:
        return QStringLiteral("&Ignorar");
    }
    return {};
}

} // namespace

Botao MensagensQt::Caixa(QWidget *pai, const QString &titulo, const QString &texto, Icone icone,
                         Botoes botoes)
{
    QMessageBox caixa(IconeQt(icone), titulo, QuebrasDeLinha(texto), QMessageBox::NoButton, pai);
    const auto botoesQt = BotoesQt(botoes);
    QMessageBox::StandardButtons todos;
    for (const auto &[botao, padrao] : botoesQt)
        todos |= padrao;
    caixa.setStandardButtons(todos);
    for (const auto &[botao, padrao] : botoesQt)
        caixa.button(padrao)->setText(Rotulo(botao));
    caixa.setDefaultButton(botoesQt.front().second);
    const auto escape = BotaoDeEscape(botoes);
    for (const auto &[botao, padrao] : botoesQt)
        if (botao == escape)
            caixa.setEscapeButton(padrao);

    caixa.exec();
    const auto clicado = caixa.standardButton(caixa.clickedButton());
    for (const auto &[botao, padrao] : botoesQt)
        if (padrao == clicado)
            return botao;
    return escape;
}

QString MensagensQt::Entrada(QWidget *pai, const QString &titulo, const QString &rotulo,
                             const QString &padrao)
{
    QInputDialog caixa(pai);
    caixa.setWindowTitle(titulo);
    caixa.setLabelText(rotulo);
    caixa.setTextValue(padrao);
    caixa.setOkButtonText(QStringLiteral("OK"));
    caixa.setCancelButtonText(QStringLiteral("Cancelar"));
    return caixa.exec() == QDialog::Accepted ? caixa.textValue() : padrao;
}

QString MensagensQt::AbrirArquivo(QWidget *pai, const QString &titulo, const QString &filtro,
                                  const QString &sugerido)
{
    return QFileDialog::getOpenFileName(pai, titulo, sugerido, filtro);
}

QString MensagensQt::SalvarArquivo(QWidget *pai, const QString &titulo, const QString &filtro,
                                   const QString &sugerido)
{
    return QFileDialog::getSaveFileName(pai, titulo, sugerido, filtro);
}
