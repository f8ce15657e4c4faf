// Contraction detection: force sequences with the records they must leave.

#include "Ensaio.h"

#include <gtest/gtest.h>

namespace {

const std::vector<double> SequenciaEsquema1 = {0.2, 1.5, 3.0, 0.4, -0.3, -0.8, -1.2, -2.0, 0.1};

TEST(Deteccao, NothingIsKeptUntilTheForceReachesInicia)
{
    Ensaio e(Configura({}));
    e.Processa({0.2, -0.5, 0.99, -0.999});
    EXPECT_EQ(e.motor().NumAmostras(), 0);
    EXPECT_EQ(e.motor().RelogioSegundos(), 0);
    e.Processa({-1.0});
    EXPECT_EQ(e.motor().NumAmostras(), 1);
    EXPECT_EQ(e.reg(0).Pulso, 'N');
}

TEST(Deteccao, Scheme1SequenceGivesTheDocumentedPausesAndSummaries)
{
    Ensaio e(Configura({}));
    e.Processa(SequenciaEsquema1);
    ASSERT_EQ(e.motor().NumAmostras(), 8);
    EXPECT_EQ(e.Intervalos(), (std::vector<int>{0, 0, 0, 1, 2, 0, 0, 1}));

    // -0.3 completes the initial contraction: its summary is in the record of 0.4.
    const RegistroAmostra &inicial = e.reg(2);
    EXPECT_DOUBLE_EQ(inicial.KGF_MAX, 3.0);
    EXPECT_DOUBLE_EQ(inicial.KGF_MED, (1.5 + 3.0 + 0.4) / 3);
    EXPECT_EQ(inicial.Amostra_Forca_Maxima, 2);
    EXPECT_DOUBLE_EQ(inicial.Tempo_Forca_Maxima, 2.0 / 300);
    EXPECT_DOUBLE_EQ(inicial.Duracao_Contracao, 3.0 / 300);
    EXPECT_DOUBLE_EQ(inicial.N_MAX, 3.0 * 9.81);
    EXPECT_DOUBLE_EQ(inicial.KGF_KG_MAX, 3.0 / 70);
    EXPECT_EQ(inicial.AmostrasMedia, 3);

    // 0.1 completes the contrary one (summary in the record of -2.0); the
    // mean starts with the sample that completed the previous contraction.
    const RegistroAmostra &contraria = e.reg(6);
    EXPECT_DOUBLE_EQ(contraria.KGF_MAX, 2.0);
    EXPECT_DOUBLE_EQ(contraria.KGF_MED, (0.3 + 1.2 + 2.0) / 3);
    EXPECT_EQ(contraria.Amostra_Forca_Maxima, 7);
    EXPECT_DOUBLE_EQ(contraria.Tempo_Forca_Maxima, 3.0 / 300);
    EXPECT_DOUBLE_EQ(contraria.Duracao_Contracao, 3.0 / 300);
    EXPECT_EQ(contraria.AmostrasMedia, 3);
    EXPECT_DOUBLE_EQ(contraria.N_MED, (0.3 + 1.2 + 2.0) / 3 * 9.81);
    EXPECT_DOUBLE_EQ(e.reg(4).KGF, -0.8);
    EXPECT_EQ(e.Resumos(), (std::vector<int>{2, 6}));

    // Texts, numbers and cycle of every record.
    const std::vector<int> numeros = {1, 1, 1, 2, 2, 2, 2, 3};
    const std::vector<int> validas = {1, 1, 1, 1, 2, 2, 2, 2};
    const std::vector<int> amContracao = {1, 2, 3, 1, 2, 3, 4, 1};
    // Tempo_Contracao restarts with the sample after a completion, which
    // is when Contracao_Valida changes; Am_Ciclo restarts with the cycle.
    const std::vector<int> amostrasNoIndice = {1, 2, 3, 4, 1, 2, 3, 4};
    const std::vector<int> amCiclo = {1, 2, 3, 4, 5, 6, 7, 1};
    const std::string pulsos = "PPPNNNNP";
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(e.reg(i).Contracao_Numero, numeros[std::size_t(i)]);
        EXPECT_EQ(e.reg(i).Contracao_Valida, validas[std::size_t(i)]);
        EXPECT_EQ(e.reg(i).Am_Contracao, amContracao[std::size_t(i)]);
        EXPECT_DOUBLE_EQ(e.reg(i).Tempo_Contracao, amostrasNoIndice[std::size_t(i)] / 300.0);
        EXPECT_EQ(e.reg(i).Am_Ciclo, amCiclo[std::size_t(i)]);
        EXPECT_EQ(e.reg(i).Pulso, pulsos[std::size_t(i)]);
        EXPECT_DOUBLE_EQ(e.reg(i).Tempo_Amostra, 300);
        EXPECT_EQ(e.reg(i).Am_Geral, i + 1);
        EXPECT_EQ(e.reg(i).Lateral, QStringLiteral("Direita"));
        EXPECT_DOUBLE_EQ(e.reg(i).Tempo_Total, (i + 1) / 300.0);
    }
    EXPECT_EQ(e.reg(0).Contracao_Texto, QStringLiteral("Flexão"));
    EXPECT_EQ(e.reg(3).Contracao_Texto, QStringLiteral("Extensão"));
    EXPECT_EQ(e.reg(7).Ciclo, 2);
    EXPECT_EQ(e.reg(6).Ciclo, 1);
    EXPECT_EQ(e.motor().ContadorCiclos(), 2);
    EXPECT_EQ(e.motor().NumeroContracaoExibido(), 3);
}

TEST(Deteccao, AFailedEffortTurnsTheNextEffortIntoAPause)
{
    Ensaio e(Configura({}));
    e.Processa({1.5, 0.5, -0.5, 0.5, 2.0});
    EXPECT_EQ(e.Intervalos(), (std::vector<int>{0, 0, 1, 2, 3}));
    // The sequence resumes with an effort in the failed direction.
    e.Processa({-2.0});
    EXPECT_EQ(e.reg(5).Intervalo, 0);
}

TEST(Deteccao, ANegativeFirstPullBecomesThePositiveReference)
{
    Ensaio e(Configura({}));
    std::vector<double> invertida;
    for (double f : SequenciaEsquema1)
        invertida.push_back(-f);
    e.Processa(invertida);
    ASSERT_EQ(e.motor().NumAmostras(), 8);
    EXPECT_EQ(e.Intervalos(), (std::vector<int>{0, 0, 0, 1, 2, 0, 0, 1}));
    EXPECT_DOUBLE_EQ(e.reg(0).KGF, 1.5);
    EXPECT_DOUBLE_EQ(e.reg(4).KGF, -0.8);
    EXPECT_EQ(e.reg(0).Pulso, 'N');
    EXPECT_EQ(e.reg(4).Pulso, 'P');
    EXPECT_EQ(e.reg(0).Contracao_Texto, QStringLiteral("Flexão"));
    EXPECT_EQ(e.reg(5).Contracao_Texto, QStringLiteral("Extensão"));
    EXPECT_DOUBLE_EQ(e.reg(2).KGF_MAX, 3.0);
    EXPECT_DOUBLE_EQ(e.reg(6).KGF_MAX, 2.0);
}

struct CasoPulso {
    std::vector<double> forcas;
    std::vector<char> pulsos;
};

class PulsoDeZero : public ::testing::TestWithParam<CasoPulso> {};

TEST_P(PulsoDeZero, AnExactZeroKeepsNOnlyAfterN)
{
    Ensaio e(Configura({{"Inicia", "0,000"}}));
    e.Processa(GetParam().forcas);
    std::vector<char> pulsos;
    for (int i = 0; i < e.motor().NumAmostras(); ++i)
        pulsos.push_back(e.reg(i).Pulso);
    EXPECT_EQ(pulsos, GetParam().pulsos);
}

INSTANTIATE_TEST_SUITE_P(Casos, PulsoDeZero,
                         ::testing::Values(CasoPulso{{0.0, 1.0}, {'P', 'P'}}, CasoPulso{{-1.0, 0.0}, {'N', 'N'}},
                                           CasoPulso{{1.0, 0.0}, {'P', 'P'}},
                                           CasoPulso{{-1.0, 0.0, 0.0, 2.0, 0.0}, {'N', 'N', 'N', 'P', 'P'}}));

TEST(Deteccao, Scheme5sEndsAContractionAtTheFirstSampleAtOrBelowMCiclo)
{
    Ensaio e(Configura({{"LateralContraria", ""}, {"ContracaoContraria", ""}, {"NumeroRepeticao", "3"}}));
    ASSERT_EQ(e.motor().Configuracao().esquema, Esquema::E5s);
    e.Processa({2, 10, 5, 0.6, 0.5, 0.2});
    EXPECT_EQ(e.Intervalos(), (std::vector<int>{0, 0, 0, 0, 1, 2}));
    EXPECT_EQ(e.Resumos(), (std::vector<int>{3}));
    EXPECT_DOUBLE_EQ(e.reg(3).KGF_MAX, 10);
    EXPECT_EQ(e.reg(4).Contracao_Texto, QStringLiteral("Null"));
    EXPECT_EQ(e.motor().ContadorCiclos(), 2);
}

TEST(Deteccao, PeakCountsOnlyContractionSamplesAndKeepsTheEarlierOfTwoEqualValues)
{
    Ensaio e(Configura({{"LateralContraria", ""}, {"ContracaoContraria", ""}}));
    e.Processa({2, 4, 4, -6, 0.3, 3, 0.4});
    // -6 ends the first contraction (sign changed): it is a pause sample.
    EXPECT_DOUBLE_EQ(e.reg(2).KGF_MAX, 4);
    EXPECT_EQ(e.reg(2).Amostra_Forca_Maxima, 2);
    // The second contraction: -6 and 0.3 are pauses, so the peak is 3.
    EXPECT_DOUBLE_EQ(e.reg(5).KGF_MAX, 3);
}

TEST(Deteccao, TorqueAndPerKilogramValuesFollowTheFinalForce)
{
    Ensaio e(Configura({{"Alavanca", "0,4"}}), 80);
    e.Processa({2.5});
    const RegistroAmostra &r = e.reg(0);
    EXPECT_DOUBLE_EQ(r.N, 2.5 * 9.81);
    EXPECT_DOUBLE_EQ(r.KGF_KG, 2.5 / 80);
    EXPECT_DOUBLE_EQ(r.N_KG, 2.5 * 9.81 / 80);
    EXPECT_DOUBLE_EQ(r.KGFM, 2.5 * 0.4);
    EXPECT_DOUBLE_EQ(r.NM, 2.5 * 9.81 * 0.4);
    EXPECT_DOUBLE_EQ(r.KGFM_KG, 2.5 * 0.4 / 80);
    EXPECT_DOUBLE_EQ(r.NM_KG, 2.5 * 9.81 * 0.4 / 80);
}

TEST(Deteccao, TheClockAdvancesOncePerSecondOfSamples)
{
    Ensaio e(Configura({{"Frequencia", "50"}, {"LateralContraria", ""}, {"ContracaoContraria", ""}}));
    e.Processa(std::vector<double>(49, 2.0));
    EXPECT_EQ(e.motor().RelogioSegundos(), 0);
    e.Processa({2.0});
    EXPECT_EQ(e.motor().RelogioSegundos(), 1);
    e.Processa(std::vector<double>(50 * 60, 2.0));
    EXPECT_EQ(e.motor().RelogioMinutos(), 1);
    EXPECT_EQ(e.motor().RelogioSegundos(), 1);
}

TEST(Deteccao, Scheme4iMasksSamplesAgainstTheDirectionEvenBeforeTheStart)
{
    Ensaio e(Configura({{"ContracaoContraria", ""}, {"LSequencial", "0"}, {"LIntercalada", "1"}}));
    ASSERT_EQ(e.motor().Configuracao().esquema, Esquema::E4i);
    e.Processa({2, 3, -0.2});
    // -0.2 is masked and given the direction's sign; it ends the contraction.
    EXPECT_DOUBLE_EQ(e.reg(2).KGF, 0);
    EXPECT_EQ(e.reg(2).Pulso, 'P');
    EXPECT_EQ(e.reg(2).Intervalo, 1);
    EXPECT_EQ(e.painel.janelas, (std::vector<std::string>{"troca"}));
    // Waiting: a sample against the direction is masked in the current
    // record although it is not kept.
    e.Processa({-0.5});
    EXPECT_EQ(e.motor().NumAmostras(), 3);
    EXPECT_EQ(e.reg(3).Intervalo, 1);
    EXPECT_EQ(e.reg(3).Pulso, 'P');
}

TEST(Deteccao, Scheme5iKeepsRecordZeroOutOfTheNumbering)
{
    for (const char *tipo : {"TC", "TI"}) {
        SCOPED_TRACE(tipo);
        Ensaio e(Configura({{"LSequencial", "0"}, {"LIntercalada", "1"}, {"STeste", tipo}}));
        ASSERT_EQ(e.motor().Configuracao().esquema, Esquema::E5i);
        e.Processa({2, 3, -2});
        EXPECT_EQ(e.reg(0).Contracao_Numero, 0);
        EXPECT_EQ(e.reg(0).Am_Ciclo, 0);
        EXPECT_EQ(e.reg(1).Am_Ciclo, 1);
        EXPECT_EQ(e.reg(2).Contracao_Numero, 1);
    }
}

TEST(Deteccao, AnExactZeroInsideAnIntermittentContractionCompletesIt)
{
    Ensaio e(Configura({{"STeste", "TI"}}));
    e.Processa({2, 3, 0, 2});
    EXPECT_EQ(e.Intervalos(), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(e.Resumos(), (std::vector<int>{1}));
}

} // namespace
