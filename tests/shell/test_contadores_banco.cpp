#include "ContadoresBanco.h"

#include <gtest/gtest.h>

TEST(ContadoresBanco, TheBackupReminderStartsAtTenSavedEvaluations)
{
    ContadoresBanco contadores(9);
    EXPECT_FALSE(contadores.LembraBackup());
    contadores.AvaliacaoSalva(20);
    EXPECT_EQ(contadores.ContadorBackup(), 10);
    EXPECT_TRUE(contadores.LembraBackup());
}

TEST(ContadoresBanco, ABackupSilencesTheReminder)
{
    ContadoresBanco contadores(40);
    contadores.BackupFeito();
    EXPECT_EQ(contadores.ContadorBackup(), 0);
    EXPECT_FALSE(contadores.LembraBackup());
}

TEST(ContadoresBanco, TheDatabaseIsFullFromOneHundredResults)
{
    struct Caso {
        long long linhas;
        int nivel;
        bool cheio;
    };
    for (const Caso caso : {Caso{0, 0, false}, Caso{99, 99, false}, Caso{100, 100, true},
                            Caso{256, 255, true}, Caso{300, 255, true}, Caso{100000, 255, true}}) {
        ContadoresBanco contadores;
        contadores.AvaliacaoSalva(caso.linhas);
        EXPECT_EQ(contadores.NivelBanco(), caso.nivel) << caso.linhas;
        EXPECT_EQ(contadores.BancoCheio(), caso.cheio) << caso.linhas;
    }
}

TEST(ContadoresBanco, CountersStopAt255InsteadOfWrappingToZero)
{
    ContadoresBanco contadores(255);
    contadores.AvaliacaoSalva(1);
    EXPECT_EQ(contadores.ContadorBackup(), 255);
    EXPECT_TRUE(contadores.LembraBackup());
}

TEST(ContadoresBanco, AStoredCountOutsideOneByteIsClamped)
{
    EXPECT_EQ(ContadoresBanco(1000).ContadorBackup(), 255);
    EXPECT_EQ(ContadoresBanco(-5).ContadorBackup(), 0);
}
