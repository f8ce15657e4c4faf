#include "IdadeAtual.h"

#include <QString>

#include <cmath>

int IdadeAtual(const QDate &nascimento, const QDate &hoje)
{
    if (!nascimento.isValid() || !hoje.isValid())
        return -1;
    const double dias = static_cast<double>(nascimento.daysTo(hoje));
    if (dias < 0)
        return 0;

    // The two-decimal text decides, not the exact quotient: 0,955 rounds to
    // 0,96 and counts as a full year.
    const QString texto = QString::number(dias / 365.6, 'f', 2);
    const int inteiros = texto.section(u'.', 0, 0).toInt();
    const int centesimos = texto.section(u'.', 1, 1).toInt();
    const long meses = std::lround(centesimos * 365.6 / 100.0 / 30.47);
    return meses == 12 ? inteiros + 1 : inteiros;
}
