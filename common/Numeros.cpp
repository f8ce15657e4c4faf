#include "Numeros.h"

#include <charconv>
#include <cmath>
#include <string>

namespace numeros {

namespace {

QString semMenosZero(QString texto)
{
    // "-0,000" would read as a negative value that is not there.
    if (texto.startsWith(u'-')) {
        bool soZeros = true;
        for (qsizetype i = 1; i < texto.size(); ++i) {
            const QChar c = texto.at(i);
            if (c != u'0' && c != u',' && c != u'.') {
                soZeros = false;
                break;
            }
        }
        if (soZeros)
            texto.remove(0, 1);
    }
    return texto;
}

std::optional<double> leComSeparador(QString texto, QChar separador)
{
    texto = texto.trimmed();
    if (texto.isEmpty())
        return std::nullopt;
    std::string s;
    s.reserve(texto.size());
    for (const QChar c : texto) {
        if (c == separador)
            s.push_back('.');
        else if (c.unicode() < 128 && (c.isDigit() || c == u'+' || c == u'-' || c == u'e' || c == u'E'))
            s.push_back(static_cast<char>(c.unicode()));
        else
            return std::nullopt;
    }
    if (s.front() == '+')
        s.erase(0, 1);
    double valor = 0;
    const char *fim = s.data() + s.size();
    auto [p, erro] = std::from_chars(s.data(), fim, valor);
    if (erro != std::errc() || p != fim || !std::isfinite(valor))
        return std::nullopt;
    return valor;
}

} // namespace

QString Fixo(double valor, int casas)
{
    return semMenosZero(QString::number(valor, 'f', casas).replace(u'.', u','));
}

QString Curto(double valor)
{
    QString texto = QString::number(valor, 'g', 15);
    texto.replace(u'.', u',');
    texto.replace(QLatin1String("e+"), QLatin1String("E"));
    texto.replace(u'e', u'E');
    return texto;
}

QString ComMilhar(double valor, int casas)
{
    const QString fixo = QString::number(std::fabs(valor), 'f', casas);
    const qsizetype ponto = fixo.indexOf(u'.');
    QString inteiro = ponto < 0 ? fixo : fixo.left(ponto);
    const QString decimais = ponto < 0 ? QString() : fixo.mid(ponto + 1);
    for (qsizetype i = inteiro.size() - 3; i > 0; i -= 3)
        inteiro.insert(i, u'.');
    QString texto = decimais.isEmpty() ? inteiro : inteiro + u',' + decimais;
    if (valor < 0)
        texto.prepend(u'-');
    return semMenosZero(texto);
}

std::optional<double> LeDecimal(const QString &texto)
{
    return leComSeparador(texto, u',');
}

std::optional<double> LeDecimalOuPonto(const QString &texto)
{
    if (texto.contains(u',') && texto.contains(u'.'))
        return std::nullopt;
    return leComSeparador(QString(texto).replace(u',', u'.'), u'.');
}

std::optional<long long> LeInteiro(const QString &texto)
{
    const QString limpo = texto.trimmed();
    bool ok = false;
    const long long valor = limpo.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return valor;
}

QString PontoCurto(double valor)
{
    if (valor == 0)
        return QStringLiteral("0");
    char buffer[64];
    auto [p, erro] = std::to_chars(buffer, buffer + sizeof buffer, valor);
    if (erro != std::errc())
        return QString::number(valor, 'g', 17);
    return QString::fromLatin1(buffer, p - buffer);
}

} // namespace numeros
