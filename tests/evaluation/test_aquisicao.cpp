// Acquisition: conversion, batches, the samples dropped after a start, the
// demonstration replay and the end checks of the idle handler.

#include "Ensaio.h"

#include <gtest/gtest.h>

namespace {

const Ajustes UmSentido = {{"LateralContraria", ""}, {"ContracaoContraria", ""}};

TEST(Aquisicao, ConvertsARawReadingInTheStatedOrder)
{
    EXPECT_DOUBLE_EQ(Aquisicao::Converte(120000, 100000, 2000, 0.5), 9.5);
    EXPECT_LT(Aquisicao::Converte(90000, 100000, 2000, 0), 0);
    EXPECT_DOUBLE_EQ(Aquisicao::Converte(0, 0, 1, 0), 0);
}

struct CasoDescarte {
    int frequencia;
    int descartadas;
};

class DescarteInicial : public ::testing::TestWithParam<CasoDescarte> {};

TEST_P(DescarteInicial, TheFirstSamplesAfterAStartAreDroppedAndThenBatchesOfATenthOfASecondFollow)
{
    const auto [frequencia, descartadas] = GetParam();
    Ajustes a = UmSentido;
    a["Frequencia"] = std::to_string(frequencia);
    Ensaio e(Configura(a, false));
    Aquisicao &aq = e.avaliacao.aquisicao;
    EXPECT_EQ(aq.TamanhoLote(), frequencia / 10);
    std::uint32_t bruto = 1000;
    for (int i = 0; i < descartadas; ++i)
        aq.RecebeLeitura(++bruto);
    EXPECT_EQ(e.motor().NumAmostras(), 0);
    aq.RecebeLeitura(++bruto);
    ASSERT_EQ(e.motor().NumAmostras(), 1);
    EXPECT_DOUBLE_EQ(e.reg(0).KGF, 1000.0 + descartadas + 1);
    for (int i = 1; i < frequencia / 10; ++i)
        aq.RecebeLeitura(++bruto);
    EXPECT_EQ(e.motor().NumAmostras(), 1);
    aq.RecebeLeitura(++bruto);
    EXPECT_EQ(e.motor().NumAmostras(), 1 + frequencia / 10);
    EXPECT_DOUBLE_EQ(e.reg(1).KGF, 1000.0 + descartadas + 2);
}

INSTANTIATE_TEST_SUITE_P(Frequencias, DescarteInicial,
                         ::testing::Values(CasoDescarte{50, 4}, CasoDescarte{300, 29}, CasoDescarte{600, 59}));

TEST(Aquisicao, CalibrationAppliesToLiveReadings)
{
    Ajustes a = UmSentido;
    a["SemPeso"] = "100000";
    a["IndiceCorrecao"] = "2000";
    a["ValorZerado"] = "0,5";
    a["Frequencia"] = "50";
    Ensaio e(Configura(a, false));
    for (int i = 0; i < 5; ++i)
        e.avaliacao.aquisicao.RecebeLeitura(120000);
    ASSERT_EQ(e.motor().NumAmostras(), 1);
    EXPECT_DOUBLE_EQ(e.reg(0).KGF, 9.5);
}

TEST(Aquisicao, TheDemonstrationDropsTheFirstBatchOfValues)
{
    Ensaio e(Configura(UmSentido));
    std::vector<double> valores(30, 5.0);
    valores.insert(valores.end(), 30, 2.0);
    e.Reproduz(valores);
    EXPECT_EQ(e.painel.Fim(), "valores");
    ASSERT_EQ(e.motor().NumAmostras(), 30);
    EXPECT_DOUBLE_EQ(e.reg(0).KGF, 2.0);
}

TEST(Aquisicao, AnIncompleteLastBatchIsNotHandedOver)
{
    Ensaio e(Configura(UmSentido));
    e.Reproduz(std::vector<double>(30 + 30 + 29, 2.0));
    EXPECT_EQ(e.motor().NumAmostras(), 30);
}

TEST(Aquisicao, TheSampleLimitEndsTheEvaluation)
{
    Ensaio e(Configura(UmSentido));
    e.Reproduz(std::vector<double>(LimiteAmostras + 600, 2.0));
    EXPECT_EQ(e.painel.Fim(), "limite");
    EXPECT_EQ(e.motor().NumAmostras(), LimiteAmostras);
    EXPECT_EQ(e.painel.amostrasNoFim, LimiteAmostras);
}

TEST(Aquisicao, ARecordingLongerThanTheBatchBufferReplaysToItsEnd)
{
    Ensaio e(Configura(UmSentido));
    std::vector<double> valores(150000, 0.1);
    valores.insert(valores.end(), 3000, 2.0);
    e.Reproduz(valores);
    EXPECT_EQ(e.painel.Fim(), "valores");
    EXPECT_EQ(e.motor().NumAmostras(), 3000);
    EXPECT_DOUBLE_EQ(e.reg(2999).KGF, 2.0);
}

TEST(Aquisicao, ALineOfBlanksReplaysAsZero)
{
    Ensaio e(Configura({{"Inicia", "0,000"}}));
    std::vector<double> valores(30, 1.0);
    valores.insert(valores.end(), {2.0, std::numeric_limits<double>::quiet_NaN()});
    valores.insert(valores.end(), 28, 2.0);
    e.Reproduz(valores);
    ASSERT_EQ(e.motor().NumAmostras(), 30);
    EXPECT_DOUBLE_EQ(e.reg(1).KGF, 0);
}

TEST(Aquisicao, TheTestDurationShownByTheClockEndsTheEvaluation)
{
    Ajustes a = UmSentido;
    a["Frequencia"] = "50";
    a["DuracaoTeste"] = "1";
    Ensaio e(Configura(a));
    e.Reproduz(std::vector<double>(200, 2.0));
    EXPECT_EQ(e.painel.Fim(), "duracao");
    EXPECT_EQ(e.motor().NumAmostras(), 50);
}

TEST(Aquisicao, ACycleCounterPastTheRepetitionsEndsTheEvaluation)
{
    // Scheme "2" without a stored repetition count runs with 0 repetitions.
    Ensaio e(Configura({{"LateralContraria", ""}, {"NumeroRepeticao", ""}}));
    EXPECT_EQ(e.motor().Configuracao().NumeroRepeticao, 0);
    e.Reproduz(std::vector<double>(100, 2.0));
    EXPECT_EQ(e.painel.Fim(), "ciclos");
    EXPECT_EQ(e.motor().NumAmostras(), 0);
}

TEST(Aquisicao, ShiftEscapeEndsTheEvaluationAtTheNextIdleCall)
{
    struct ComTeclas final : PainelAvaliacao {
        bool teclas = false;
        std::optional<FimAvaliacao> fim;
        RespostaJanela AbreJanela(const DadosJanela &) override { return RespostaJanela::Continuar; }
        void SalvaAvaliacao(const FimAvaliacao &f) override { fim = f; }
        bool TeclasEncerramento() override { return teclas; }
    } painel;
    Avaliacao avaliacao(painel);
    avaliacao.Inicia(Configura(UmSentido), 70);
    const std::vector<double> valores(100, 2.0);
    avaliacao.aquisicao.DefineGravacao(valores);
    avaliacao.aquisicao.IniciaLeitura();
    avaliacao.aquisicao.ColetaAmostras();
    EXPECT_FALSE(painel.fim);
    painel.teclas = true;
    avaliacao.aquisicao.ColetaAmostras();
    ASSERT_TRUE(painel.fim);
    EXPECT_EQ(painel.fim->motivo, MotivoFim::Teclas);
    EXPECT_FALSE(avaliacao.aquisicao.LendoInterface());
}

TEST(Aquisicao, TheRestOfABatchReachesTheEngineAfterAWindowOpenedInsideIt)
{
    Ensaio e(Configura({{"LateralContraria", ""}, {"STeste", "TI"}}));
    std::vector<double> valores(30, 0.1);
    valores.insert(valores.end(), {2, 3, -2, -3, -0.3});
    valores.insert(valores.end(), 25, 2.0);
    e.Reproduz(valores);
    EXPECT_EQ(e.painel.janelas, (std::vector<std::string>{"intervalo"}));
    EXPECT_EQ(e.motor().NumAmostras(), 30);
    EXPECT_EQ(e.reg(5).Contracao_Texto, QStringLiteral("Flexão"));
}

} // namespace
