#include "Numeros.h"

#include <gtest/gtest.h>

using namespace numeros;

TEST(Numeros, FixedDecimalsUseTheComma)
{
    EXPECT_EQ(Fixo(0.5, 3), "0,500");
    EXPECT_EQ(Fixo(1, 4), "1,0000");
    EXPECT_EQ(Fixo(-2.25, 1), "-2,3");
    EXPECT_EQ(Fixo(-0.0001, 3), "0,000") << "no negative zero";
}

TEST(Numeros, ShortTextDropsTrailingZeros)
{
    EXPECT_EQ(Curto(72.5), "72,5");
    EXPECT_EQ(Curto(3), "3");
    EXPECT_EQ(Curto(0.1), "0,1");
    EXPECT_EQ(Curto(1e20), "1E20");
}

TEST(Numeros, ThousandsPointAndDecimalComma)
{
    EXPECT_EQ(ComMilhar(1234.5, 2), "1.234,50");
    EXPECT_EQ(ComMilhar(1234567, 0), "1.234.567");
    EXPECT_EQ(ComMilhar(-1234.5, 1), "-1.234,5");
    EXPECT_EQ(ComMilhar(999, 0), "999");
}

TEST(Numeros, StrictReadingAcceptsOnlyTheComma)
{
    struct Caso { const char *texto; std::optional<double> esperado; };
    const Caso casos[] = {
        {"0,500", 0.5}, {" 72,5 ", 72.5}, {"-1,25", -1.25}, {"+3", 3.0}, {"1,5E3", 1500.0},
        {"1.000", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt}, {"1,2,3", std::nullopt},
        {"12a", std::nullopt}, {"inf", std::nullopt},
    };
    for (const Caso &c : casos)
        EXPECT_EQ(LeDecimal(QString::fromUtf8(c.texto)), c.esperado) << c.texto;
}

TEST(Numeros, LenientReadingAcceptsCommaOrPoint)
{
    EXPECT_EQ(LeDecimalOuPonto("1.5"), 1.5);
    EXPECT_EQ(LeDecimalOuPonto("1,5"), 1.5);
    EXPECT_EQ(LeDecimalOuPonto("-0.25"), -0.25);
    EXPECT_EQ(LeDecimalOuPonto("1.000,5"), std::nullopt);
    EXPECT_EQ(LeDecimalOuPonto("x"), std::nullopt);
}

TEST(Numeros, IntegersAllowLeadingZeros)
{
    EXPECT_EQ(LeInteiro("050"), 50);
    EXPECT_EQ(LeInteiro(" 7 "), 7);
    EXPECT_EQ(LeInteiro("-3"), -3);
    EXPECT_EQ(LeInteiro("1,0"), std::nullopt);
    EXPECT_EQ(LeInteiro(""), std::nullopt);
}

TEST(Numeros, PointTextRoundTrips)
{
    EXPECT_EQ(PontoCurto(1.0), "1");
    EXPECT_EQ(PontoCurto(0.1), "0.1");
    EXPECT_EQ(PontoCurto(-2.5), "-2.5");
    EXPECT_EQ(PontoCurto(0.0), "0");
    EXPECT_EQ(PontoCurto(-0.0), "0");
    const double terco = 1.0 / 3.0;
    EXPECT_EQ(PontoCurto(terco).toDouble(), terco);
}
