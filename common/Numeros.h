#pragma once
// Numbers as the users read and type them: decimal comma, point for thousands.
// Every window, report and setting formats and parses numbers through here.

#include <QString>
#include <optional>

namespace numeros {

// Fixed number of decimals with a decimal comma: Fixo(0.5, 3) == "0,500".
QString Fixo(double valor, int casas);

// Shortest text that reads back to the same value with 15 significant digits,
// decimal comma, no thousands separator: 72.5 -> "72,5", 3 -> "3".
QString Curto(double valor);

// Decimal comma, thousands point, fixed decimals: 1234.5, 2 -> "1.234,50".
QString ComMilhar(double valor, int casas);

// Strict reading of a number typed or stored with the decimal comma:
// blanks around it are allowed, an exponent too ("1,5E3"); a point is not a
// decimal separator here, so "1.000" is not a number. Empty optional when the
// text is not a number.
std::optional<double> LeDecimal(const QString &texto);

// Lenient reading for data files: decimal comma or decimal point.
std::optional<double> LeDecimalOuPonto(const QString &texto);

// Whole decimal integer, blanks around allowed, leading zeros allowed ("050" is 50).
std::optional<long long> LeInteiro(const QString &texto);

// Shortest round-trip text with a decimal point and no exponent for ordinary
// magnitudes; whole numbers have no decimals (1.0 -> "1", 0.1 -> "0.1").
QString PontoCurto(double valor);

} // namespace numeros
