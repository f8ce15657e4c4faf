#include "Gravacao.h"

#include "Numeros.h"

#include <QString>
#include <limits>

Gravacao LeGravacao(const QByteArray &texto)
{
    Gravacao g;
    qsizetype inicio = 0;
    int numero = 0;
    while (inicio < texto.size()) {
        qsizetype fim = texto.indexOf('\n', inicio);
        if (fim < 0)
            fim = texto.size();
        QByteArrayView linha(texto.constData() + inicio, fim - inicio);
        inicio = fim + 1;
        ++numero;
        if (linha.endsWith('\r'))
            linha.chop(1);
        if (linha.isEmpty())
            break;
        const QString valor = QString::fromUtf8(linha).trimmed();
        if (valor.isEmpty()) {
            g.valores.push_back(std::numeric_limits<double>::quiet_NaN());
            continue;
        }
        const auto lido = numeros::LeDecimalOuPonto(valor);
        if (!lido) {
            g.linhaInvalida = numero;
            g.valores.clear();
            return g;
        }
        g.valores.push_back(*lido);
    }
    return g;
}
