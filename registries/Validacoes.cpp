#include "Validacoes.h"

#include "Numeros.h"

#include <algorithm>

namespace {

bool SexoValido(const QString &sexo)
{
    return sexo == QLatin1String("F") || sexo == QLatin1String("M");
}

const QString kSexoInvalido = QStringLiteral("O Sexo deve ser F ou M!");

} // namespace

bool Vazio(const QString &texto)
{
    return texto.trimmed().isEmpty();
}

ResultadoAvaliado ValidaAvaliado(const QString &nome, const QString &nascimentoMascara,
                                 const QString &sexo)
{
    if (Vazio(nome))
        return {Falha{CampoInvalido::Nome, QStringLiteral("O Nome deve ser informado...")}, {}};

    const bool semDigitos = std::none_of(nascimentoMascara.cbegin(), nascimentoMascara.cend(),
                                         [](QChar c) { return c.isDigit(); });
    if (semDigitos)
        return {Falha{CampoInvalido::Nascimento, QStringLiteral("O Nascimento deve ser informado...")},
                {}};
    if (!SexoValido(sexo))
        return {Falha{CampoInvalido::Sexo, kSexoInvalido}, {}};

    // A half-typed or impossible date (31/02) is refused here instead of
    // reaching the table.
    const QDate data = QDate::fromString(nascimentoMascara.trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (!data.isValid())
        return {Falha{CampoInvalido::Nascimento,
                      QStringLiteral("O Nascimento deve ser uma data válida (dd/mm/aaaa)...")},
                {}};
    return {std::nullopt, data};
}

QString AntagonicaOuNenhuma(const QString &antagonica)
{
    return Vazio(antagonica) ? QStringLiteral("NENHUMA") : antagonica;
}

ResultadoNovaAvaliacao ValidaNovaAvaliacao(const QString &avaliado, const QString &grupo,
                                           const QString &sexo, const QString &peso)
{
    if (Vazio(avaliado))
        return {Falha{CampoInvalido::Avaliado,
                      QStringLiteral("O nome do Avaliado deve ser informado...")}, {}};
    if (Vazio(grupo))
        return {Falha{CampoInvalido::Grupo, QStringLiteral("O nome do Grupo deve ser informado...")},
                {}};
    if (!SexoValido(sexo))
        return {Falha{CampoInvalido::Sexo, kSexoInvalido}, {}};

    const std::optional<double> valor = numeros::LeDecimal(peso);
    if (!valor || !(*valor > 0))
        return {Falha{CampoInvalido::Peso, QStringLiteral("O Peso deve ser informado...")}, {}};
    return {std::nullopt, numeros::Curto(*valor)};
}
