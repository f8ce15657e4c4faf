#pragma once
// Age of a person in whole years as the new-evaluation window shows it.

#include <QDate>

// Years are counted as 365.6 days and rounded to two decimals; the two
// decimals are then read as a share of a year turned into months (30.47 days
// each), and twelve months make a further year. So 350 days is 1 year (0,96)
// and 349 days is 0 (0,95). A birth date after `hoje` gives 0; an invalid
// date gives -1 (no age can be shown).
int IdadeAtual(const QDate &nascimento, const QDate &hoje = QDate::currentDate());
