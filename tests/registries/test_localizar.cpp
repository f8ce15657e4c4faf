#include "Localizar.h"

#include <QDate>
#include <gtest/gtest.h>

TEST(Localizar, RowTextWrapsEveryFieldInOrder)
{
    EXPECT_EQ(TextoLinhaLocalizar({"1", "CELULA A", ""}), "/[1]\\/[CELULA A]\\/[]\\");
    EXPECT_EQ(TextoLinhaLocalizar({}), "");
}

TEST(Localizar, FieldTextAsTheGridShowsIt)
{
    EXPECT_EQ(TextoCampo(QVariant(2.0)), "2");
    EXPECT_EQ(TextoCampo(QVariant(1.25)), "1,25");
    EXPECT_EQ(TextoCampo(QVariant(7)), "7");
    EXPECT_EQ(TextoCampo(QVariant(QDate(2001, 3, 9))), "09/03/2001");
    EXPECT_EQ(TextoCampo(QVariant(QStringLiteral("JOÃO"))), "JOÃO");
    EXPECT_EQ(TextoCampo(QVariant()), "");
}

TEST(Localizar, EmptySearchMatchesNothing)
{
    EstadoLocalizar estado;
    estado.NovaBusca("");
    EXPECT_FALSE(estado.Confere("/[1]\\/[CELULA]\\"));
    EXPECT_FALSE(estado.Confere(""));
}

TEST(Localizar, SearchIsKeptInUpperCaseAndMatchesCaseSensitively)
{
    EstadoLocalizar estado;
    estado.NovaBusca("cel");
    EXPECT_EQ(estado.Busca(), "CEL");
    EXPECT_FALSE(estado.Confere("/[1]\\/[cel]\\"));
    EXPECT_TRUE(estado.Confere("/[2]\\/[CELULA]\\"));
    EXPECT_EQ(estado.UltimoEncontrado(), "/[2]\\/[CELULA]\\");
}

TEST(Localizar, RowJustFoundIsSkippedAndANewSearchForgetsIt)
{
    EstadoLocalizar estado;
    estado.NovaBusca("A");
    const QString linha = "/[1]\\/[A]\\";
    EXPECT_TRUE(estado.Confere(linha));
    EXPECT_FALSE(estado.Confere(linha)) << "same text as the row found last";
    estado.NovaBusca("A");
    EXPECT_TRUE(estado.Confere(linha));
}

TEST(Localizar, BracketsKeepFieldsApart)
{
    // "1" and "2" of two fields never join into "12".
    EstadoLocalizar estado;
    estado.NovaBusca("12");
    EXPECT_FALSE(estado.Confere(TextoLinhaLocalizar({"1", "2"})));
}
