#pragma once
// The one road to the user's message, input and file boxes. Windows receive a
// Mensagens by reference and never open those boxes themselves.

#include <QString>

class QWidget;

enum class Icone { Nenhum, Informacao, Exclamacao, Erro, Pergunta };

// The buttons offered, exactly as the caller asks for them.
enum class Botoes { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };

// The button the user chose. Closing a box with its close button or Escape
// answers its cancelling button (Cancel, No, or Ok when it is the only one).
enum class Botao { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// The button a box answers when it is dismissed without a choice.
Botao BotaoDeEscape(Botoes botoes);

// Texts use "\r", "\n" or "\r\n" as line breaks; the box shows them as lines.
QString QuebrasDeLinha(const QString &texto);

class Mensagens {
public:
    virtual ~Mensagens() = default;

    virtual Botao Caixa(QWidget *pai, const QString &titulo, const QString &texto, Icone icone,
                        Botoes botoes) = 0;

    // An input line pre-filled with `padrao`; Cancel answers `padrao` unchanged.
    virtual QString Entrada(QWidget *pai, const QString &titulo, const QString &rotulo,
                            const QString &padrao) = 0;

    // A file to read or to write; empty when the user gives up. `filtro` is in
    // the "Descrição (*.ext)" form, several joined with ";;". `sugerido` is the
    // starting folder or file name.
    virtual QString AbrirArquivo(QWidget *pai, const QString &titulo, const QString &filtro,
                                 const QString &sugerido) = 0;
    virtual QString SalvarArquivo(QWidget *pai, const QString &titulo, const QString &filtro,
                                  const QString &sugerido) = 0;
};
