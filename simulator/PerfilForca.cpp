#include "PerfilForca.h"

#include "Numeros.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>
#include <numbers>

double PerfilForca::Kgf(std::uint64_t n, int frequenciaHz) const
{
    if (tipo == Tipo::Arquivo)
        return valoresKgf.empty() ? 0.0 : valoresKgf[n % valoresKgf.size()];
    if (tipo == Tipo::Sequencia || frequenciaHz <= 0 || duracaoS <= 0)
        return 0.0;
    const double t = double(n) / frequenciaHz;
    const double ciclo = duracaoS + std::max(descansoS, 0.0);
    const auto esforco = std::uint64_t(t / ciclo);
    const double dentro = t - double(esforco) * ciclo;
    if (dentro >= duracaoS)
        return 0.0;
    const double modulo = picoKgf * std::sin(std::numbers::pi * dentro / duracaoS);
    switch (sentido) {
    case Sentido::Agonista: return modulo;
    case Sentido::Antagonista: return -modulo;
    case Sentido::Alternado: break;
    }
    return esforco % 2 == 0 ? modulo : -modulo;
}

QString PerfilForca::CarregaArquivo(const QString &caminho)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("Não foi possível ler o arquivo de forças \"%1\".").arg(caminho);
    const QString texto = QString::fromUtf8(arquivo.readAll());
    std::vector<double> valores;
    int linha = 0;
    for (const QString &registro : texto.split(QLatin1Char('\n'))) {
        ++linha;
        for (const QString &campo : registro.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts)) {
            const std::optional<double> valor = numeros::LeDecimalOuPonto(campo);
            if (!valor)
                return QStringLiteral("Valor inválido \"%1\" na linha %2 de \"%3\".").arg(campo).arg(linha).arg(caminho);
            valores.push_back(*valor);
        }
    }
    if (valores.empty())
        return QStringLiteral("O arquivo de forças \"%1\" não tem valores.").arg(caminho);
    valoresKgf = std::move(valores);
    tipo = Tipo::Arquivo;
    return {};
}
