#pragma once
// The checks of the catalogue edit windows and of the new-evaluation window,
// as data in and result out. The windows show the message and give the focus
// back to the field that failed.

#include <QDate>
#include <QString>

#include <optional>

enum class CampoInvalido { Nome, Nascimento, Sexo, Avaliado, Grupo, Peso };

struct Falha {
    CampoInvalido campo;
    QString mensagem;
};

// True when the text has nothing but blanks.
bool Vazio(const QString &texto);

// Person edit window: name, birth date as the dd/mm/yyyy mask shows it
// ("  /  /    " when nothing was typed), sex.
struct ResultadoAvaliado {
    std::optional<Falha> falha;
    QDate nascimento;   // valid when there is no failure
};
ResultadoAvaliado ValidaAvaliado(const QString &nome, const QString &nascimentoMascara,
                                 const QString &sexo);

// A contraction pair without an antagonist stores "NENHUMA".
QString AntagonicaOuNenhuma(const QString &antagonica);

// "&Iniciar Avaliação": the person, the group, the sex and the weight, in
// this order. On success `peso` is the weight as its shortest text (72,50
// becomes 72,5).
struct ResultadoNovaAvaliacao {
    std::optional<Falha> falha;
    QString peso;
};
ResultadoNovaAvaliacao ValidaNovaAvaliacao(const QString &avaliado, const QString &grupo,
                                           const QString &sexo, const QString &peso);
