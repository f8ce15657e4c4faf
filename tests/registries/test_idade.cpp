#include "IdadeAtual.h"

#include <gtest/gtest.h>

namespace {
const QDate kHoje(2024, 6, 15);

int IdadeComDias(qint64 dias)
{
    return IdadeAtual(kHoje.addDays(-dias), kHoje);
}
} // namespace

TEST(IdadeAtual, TwoDecimalsOfNinetySixOrMoreMakeAFurtherYear)
{
    struct Caso { qint64 dias; int idade; };
    const Caso casos[] = {
        {0, 0},
        {349, 0},      // 0,95 -> 11 months
        {350, 1},      // 0,96 -> 12 months
        {365, 1},      // 1,00
        {366 + 365 * 22 + 349, 23},  // 23,94
        {8760 + 29, 24},             // 24,04 -> 24
        {365 * 30, 29},              // 29,95: a 365.6-day year lags behind the calendar
    };
    for (const Caso &c : casos)
        EXPECT_EQ(IdadeComDias(c.dias), c.idade) << c.dias << " dias";
}

TEST(IdadeAtual, BirthAfterTodayIsZeroAndAnInvalidDateHasNoAge)
{
    EXPECT_EQ(IdadeAtual(kHoje.addDays(351), kHoje), 0);
    EXPECT_EQ(IdadeAtual(kHoje.addDays(1), kHoje), 0);
    EXPECT_EQ(IdadeAtual(QDate(), kHoje), -1);
}
