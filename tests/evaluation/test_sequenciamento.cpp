// Test sequencing: whole synthetic recordings per scheme and test type,
// replayed through the demonstration path, and the edge cases of the rules
// that count cycles, open windows and end the test.

#include "Ensaio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// One effort: a half sine wave of `amostras` samples up to `pico` kgf
// (negative for the contrary direction); its first and last samples are
// within MCiclo (0.5) of zero.
void Esforco(std::vector<double> &v, double pico, int amostras = 60)
{
    for (int k = 1; k < amostras; ++k)
        v.push_back(std::round(pico * std::sin(std::numbers::pi * k / amostras) * 1000) / 1000);
}

// Lead-in below the threshold, then `ciclos` cycles of an initial effort
// followed (alternada) by a contrary one.
std::vector<double> Gravacao(int ciclos, bool alternada)
{
    std::vector<double> v(300, 0.05);
    for (int c = 0; c < ciclos; ++c) {
        Esforco(v, 8);
        if (alternada)
            Esforco(v, -6);
        else
            v.insert(v.end(), 5, 0.05);
    }
    return v;
}

const Ajustes Esquema1 = {};
const Ajustes Esquema2 = {{"LateralContraria", ""}};
const Ajustes Esquema4s = {{"ContracaoContraria", ""}};
const Ajustes Esquema4i = {{"ContracaoContraria", ""}, {"LSequencial", "0"}, {"LIntercalada", "1"}};
const Ajustes Esquema5s = {{"LateralContraria", ""}, {"ContracaoContraria", ""}};
const Ajustes Esquema5i = {{"LSequencial", "0"}, {"LIntercalada", "1"}};

struct CasoSequencia {
    const char *nome;
    Ajustes esquema;
    const char *tipo;
    bool alternada;
    std::vector<std::string> janelas;
    std::string fim;
    int ciclosNoFim;
    int contracoes; // records carrying a summary when the test ends
};

void PrintTo(const CasoSequencia &c, std::ostream *os) { *os << c.nome; }

class SequenciaCompleta : public ::testing::TestWithParam<CasoSequencia> {};

TEST_P(SequenciaCompleta, RunsTheSchemeToItsEndTag)
{
    const CasoSequencia &caso = GetParam();
    Ajustes ajustes = caso.esquema;
    ajustes["NumeroRepeticao"] = "2";
    ajustes["STeste"] = caso.tipo;
    Ensaio e(Configura(ajustes));
    ASSERT_NE(e.motor().Configuracao().esquema, Esquema::Nenhum);
    e.Reproduz(Gravacao(12, caso.alternada));
    EXPECT_EQ(e.painel.janelas, caso.janelas);
    EXPECT_EQ(e.painel.Fim(), caso.fim);
    EXPECT_EQ(e.motor().ContadorCiclos(), caso.ciclosNoFim);
    EXPECT_EQ(int(e.Resumos().size()), caso.contracoes);
}

const std::vector<std::string> Nenhuma;
const std::vector<std::string> Troca = {"troca"};
const std::vector<std::string> TresTrocas = {"troca", "troca", "troca"};
const std::vector<std::string> Intervalo = {"intervalo"};
const std::vector<std::string> PausaTrocaPausa = {"intervalo", "troca", "intervalo"};

INSTANTIATE_TEST_SUITE_P(
    Esquemas, SequenciaCompleta,
    ::testing::Values(CasoSequencia{"1_TC", Esquema1, "TC", true, Troca, "FIM 1.s", 2, 8},
                      CasoSequencia{"1_TI", Esquema1, "TI", true, PausaTrocaPausa, "FIM 1.s", 2, 8},
                      CasoSequencia{"2_TC", Esquema2, "TC", true, Nenhuma, "FIM 2.s", 2, 4},
                      CasoSequencia{"2_TI", Esquema2, "TI", true, Intervalo, "FIM 2.s", 2, 4},
                      CasoSequencia{"4s_TC", Esquema4s, "TC", false, Troca, "FIM 4.s", 2, 4},
                      CasoSequencia{"4s_TI", Esquema4s, "TI", false, PausaTrocaPausa, "FIM 4.s", 2, 4},
                      CasoSequencia{"4i_TC", Esquema4i, "TC", false, TresTrocas, "FIM 4.i", 2, 4},
                      CasoSequencia{"4i_TI", Esquema4i, "TI", false, TresTrocas, "FIM 4.i", 2, 4},
                      CasoSequencia{"5s_TC", Esquema5s, "TC", false, Nenhuma, "FIM 5.s", 2, 2},
                      CasoSequencia{"5s_TI", Esquema5s, "TI", false, Intervalo, "FIM 5.s", 2, 2},
                      CasoSequencia{"5i_TC", Esquema5i, "TC", true, TresTrocas, "FIM 5.i", 2, 8},
                      CasoSequencia{"5i_TI", Esquema5i, "TI", true, TresTrocas, "FIM 5.i", 2, 8}),
    [](const auto &info) { return std::string(info.param.nome); });

} // namespace

namespace {

// Short efforts (20 samples) go straight from one direction to the other;
// long ones (60) relax to within MCiclo before the sign changes.
std::vector<double> Esforcos(int quantidade, bool alternada, int amostras = 20)
{
    std::vector<double> v;
    for (int c = 0; c < quantidade; ++c) {
        Esforco(v, 8, amostras);
        if (alternada)
            Esforco(v, -6, amostras);
        else
            v.push_back(0.05);
    }
    return v;
}

TEST(Sequenciamento, Scheme4sMakesFiveContractionsPerSideWithOneChangeOfSide)
{
    Ajustes a = Esquema4s;
    a["NumeroRepeticao"] = "5";
    Ensaio e(Configura(a));
    EXPECT_EQ(e.motor().Configuracao().NumeroRepeticao, 10);
    e.Processa(Esforcos(20, false));
    EXPECT_EQ(e.painel.janelas, Troca);
    ASSERT_EQ(e.painel.dadosJanelas.size(), 1u);
    EXPECT_EQ(e.painel.dadosJanelas[0].ProximaLateral, QStringLiteral("Esquerda"));
    EXPECT_EQ(e.painel.dadosJanelas[0].CiclosRestantes, 5);
    EXPECT_EQ(e.painel.dadosJanelas[0].ContracoesRestante, 5);
    EXPECT_EQ(e.painel.Fim(), "FIM 4.s");
    const std::vector<int> resumos = e.Resumos();
    ASSERT_EQ(resumos.size(), 10u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(e.reg(resumos[std::size_t(i)]).Lateral, QStringLiteral("Direita"));
    for (int i = 5; i < 10; ++i)
        EXPECT_EQ(e.reg(resumos[std::size_t(i)]).Lateral, QStringLiteral("Esquerda"));
}

TEST(Sequenciamento, Scheme4iChangesSideAfterEveryContractionAndEndsAfterTheFourth)
{
    Ajustes a = Esquema4i;
    a["NumeroRepeticao"] = "2";
    Ensaio e(Configura(a));
    EXPECT_EQ(e.motor().TotalContracoes(), 4);
    e.Processa(Esforcos(6, false));
    EXPECT_EQ(e.painel.janelas, TresTrocas);
    std::vector<QString> proximas;
    std::vector<int> restantes;
    for (const DadosJanela &d : e.painel.dadosJanelas) {
        proximas.push_back(d.ProximaLateral);
        restantes.push_back(d.ContracoesRestante);
        EXPECT_FALSE(d.CorJanela);
    }
    EXPECT_EQ(proximas, (std::vector<QString>{"Esquerda", "Direita", "Esquerda"}));
    EXPECT_EQ(restantes, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(e.painel.Fim(), "FIM 4.i");
    EXPECT_EQ(e.motor().ContadorCiclos(), 2);
}

TEST(Sequenciamento, Scheme5iCountsTotalContracoesFromEightDownToZero)
{
    Ajustes a = Esquema5i;
    a["NumeroRepeticao"] = "2";
    Ensaio e(Configura(a));
    EXPECT_EQ(e.motor().TotalContracoes(), 8);
    e.Processa(Esforcos(6, true));
    std::vector<int> restantes;
    for (const DadosJanela &d : e.painel.dadosJanelas)
        restantes.push_back(d.ContracoesRestante);
    EXPECT_EQ(restantes, (std::vector<int>{6, 4, 2}));
    EXPECT_EQ(e.motor().TotalContracoes(), 0);
    EXPECT_EQ(e.painel.Fim(), "FIM 5.i");
    // The side alternates with every cycle.
    std::vector<QString> lados;
    for (int i : e.Resumos())
        if (lados.empty() || lados.back() != e.reg(i).Lateral)
            lados.push_back(e.reg(i).Lateral);
    EXPECT_EQ(lados, (std::vector<QString>{"Direita", "Esquerda", "Direita", "Esquerda"}));
}

TEST(Sequenciamento, Scheme5sEndsAtMCicloOfTheLastRepetitionWithoutKeepingThatSample)
{
    Ajustes a = Esquema5s;
    a["NumeroRepeticao"] = "3";
    Ensaio e(Configura(a));
    e.Processa({2, 10, 5, 0.5, 0.2, 3, 0.4, 2, 0.5, 7});
    EXPECT_EQ(e.painel.Fim(), "FIM 5.s");
    EXPECT_EQ(e.painel.amostrasNoFim, 8);
    EXPECT_EQ(e.motor().ContadorCiclos(), 3);
    EXPECT_EQ(e.Resumos(), (std::vector<int>{2, 5, 7}));
    // The sample that ended the test is masked in the record after the last.
    EXPECT_DOUBLE_EQ(e.reg(8).KGF, 0);
    // Nothing is processed after the end.
    EXPECT_EQ(e.motor().NumAmostras(), 9);
}

TEST(Sequenciamento, Scheme1ContinuousCountsCyclesAndChangesSideOnce)
{
    Ensaio e(Configura({{"TempoTrocaDirEsq", "7"}}));
    std::vector<int> ciclos;
    for (double f : Esforcos(8, true)) {
        e.motor().ProcessaAmostra(f);
        if (ciclos.empty() || ciclos.back() != e.motor().ContadorCiclos())
            ciclos.push_back(e.motor().ContadorCiclos());
    }
    EXPECT_EQ(ciclos, (std::vector<int>{1, 2, 3, 1, 2, 3}));
    ASSERT_EQ(e.painel.janelas, Troca);
    EXPECT_EQ(e.painel.dadosJanelas[0].SegundosRestantes, 7);
    EXPECT_EQ(e.painel.dadosJanelas[0].ProximaLateral, QStringLiteral("Esquerda"));
    EXPECT_EQ(e.painel.Fim(), "FIM 1.s");
    EXPECT_EQ(e.motor().ContadorCiclos(), 3);
    EXPECT_EQ(e.Resumos().size(), 12u);
}

TEST(Sequenciamento, Scheme1WithoutLateralityEndsAfterTheFirstSide)
{
    Ensaio e(Configura({{"IniciaLateral", "Sem Lateralidade"}, {"NumeroRepeticao", "2"}}));
    e.Processa(Esforcos(4, true, 60));
    EXPECT_TRUE(e.painel.janelas.empty());
    EXPECT_EQ(e.painel.Fim(), "FIM 1.s");
    EXPECT_EQ(e.motor().ContadorCiclos(), 1);
}

TEST(Sequenciamento, IntermittentRestsFollowEveryCycleButTheLast)
{
    struct Caso {
        Ajustes esquema;
        std::vector<std::string> janelas;
        std::string fim;
    };
    for (const Caso &caso : {Caso{Esquema1, PausaTrocaPausa, "FIM 1.s"},
                             Caso{Esquema2, {"intervalo", "intervalo"}, "FIM 2.s"}}) {
        Ajustes a = caso.esquema;
        a["STeste"] = "TI";
        a["NumeroRepeticao"] = caso.esquema.empty() ? "2" : "3";
        a["TempoIntervalo"] = "12";
        Ensaio e(Configura(a));
        e.Processa(Esforcos(8, true));
        EXPECT_EQ(e.painel.janelas, caso.janelas);
        EXPECT_EQ(e.painel.Fim(), caso.fim);
        for (const DadosJanela &d : e.painel.dadosJanelas) {
            if (d.tipo == DadosJanela::Tipo::Intervalo) {
                EXPECT_EQ(d.SegundosRestantes, 12);
            }
        }
    }
}

TEST(Sequenciamento, SamplesAfterARestAreNotKeptUntilTheNextEffort)
{
    Ensaio e(Configura({{"STeste", "TI"}, {"LateralContraria", ""}}));
    e.Processa(Esforcos(1, true, 60));
    ASSERT_EQ(e.painel.janelas, Intervalo);
    EXPECT_TRUE(e.motor().AguardandoContracao());
    const int guardadas = e.motor().NumAmostras();
    e.Processa({0.3, -2.0, 0.9});
    EXPECT_EQ(e.motor().NumAmostras(), guardadas);
    e.Processa({1.2});
    EXPECT_EQ(e.motor().NumAmostras(), guardadas + 1);
    EXPECT_FALSE(e.motor().AguardandoContracao());
}

TEST(Sequenciamento, ACancelledWindowEndsTheEvaluation)
{
    Ensaio e(Configura({{"STeste", "TI"}}));
    e.painel.resposta = RespostaJanela::Cancelar;
    e.Processa(Esforcos(3, true));
    EXPECT_EQ(e.painel.janelas, Intervalo);
    ASSERT_TRUE(e.painel.fim);
    EXPECT_EQ(e.painel.fim->motivo, MotivoFim::Cancelada);
    EXPECT_TRUE(e.motor().Encerrada());
    EXPECT_FALSE(e.avaliacao.aquisicao.LendoInterface());
}

} // namespace
