#include "Mensagens.h"

Botao BotaoDeEscape(Botoes botoes)
{
    switch (botoes) {
    case Botoes::Ok:
        return Botao::Ok;
    case Botoes::YesNo:
        return Botao::No;
    case Botoes::AbortRetryIgnore:
        return Botao::Abort;
    case Botoes::OkCancel:
    case Botoes::YesNoCancel:
    case Botoes::RetryCancel:
        break;
    }
    return Botao::Cancel;
}

QString QuebrasDeLinha(const QString &texto)
{
    QString linhas = texto;
    linhas.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    linhas.replace(u'\r', u'\n');
    return linhas;
}
