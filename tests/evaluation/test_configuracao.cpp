// The settings an evaluation start reads and the scheme they decide.

#include "Ensaio.h"

#include <gtest/gtest.h>

namespace {

struct CasoEsquema {
    const char *nome;
    Ajustes ajustes;
    Esquema esquema;
    int repeticoes;
    int totalContracoes;
};

void PrintTo(const CasoEsquema &c, std::ostream *os) { *os << c.nome; }

class DecisaoEsquema : public ::testing::TestWithParam<CasoEsquema> {};

TEST_P(DecisaoEsquema, NamesAndOrderFlagsDecideTheScheme)
{
    const CasoEsquema &caso = GetParam();
    const ConfiguracaoTeste c = Configura(caso.ajustes);
    EXPECT_EQ(c.esquema, caso.esquema);
    EXPECT_EQ(c.NumeroRepeticao, caso.repeticoes);
    EXPECT_EQ(c.TotalContracoes, caso.totalContracoes);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DecisaoEsquema,
    ::testing::Values(
        CasoEsquema{"FourNamesSequential", {{"NumeroRepeticao", "4"}}, Esquema::E1, 4, 16},
        CasoEsquema{"FourNamesIntercalated", {{"LSequencial", "0"}, {"LIntercalada", "1"}, {"NumeroRepeticao", "2"}},
                    Esquema::E5i, 2, 8},
        CasoEsquema{"BothOrdersPreferScheme1", {{"LIntercalada", "1"}}, Esquema::E1, 3, 12},
        CasoEsquema{"NoSecondSide", {{"LateralContraria", ""}}, Esquema::E2, 3, 0},
        CasoEsquema{"NoContraryContractionSequential", {{"ContracaoContraria", ""}, {"NumeroRepeticao", "5"}},
                    Esquema::E4s, 10, 10},
        CasoEsquema{"NoContraryContractionIntercalated",
                    {{"ContracaoContraria", ""}, {"LSequencial", "0"}, {"LIntercalada", "1"}},
                    Esquema::E4i, 3, 6},
        CasoEsquema{"OneSideOneContraction", {{"LateralContraria", ""}, {"ContracaoContraria", ""}}, Esquema::E5s, 3,
                    0},
        CasoEsquema{"ThreeNamesWithoutOrder", {{"ContracaoContraria", ""}, {"LSequencial", "0"}}, Esquema::Nenhum, 3,
                    0},
        CasoEsquema{"NoFirstSide", {{"IniciaLateral", ""}}, Esquema::Nenhum, 3, 0},
        CasoEsquema{"Scheme1DefaultsToThreeRepetitions", {{"NumeroRepeticao", ""}}, Esquema::E1, 3, 12},
        CasoEsquema{"Scheme5iDefaultsToFiveRepetitions",
                    {{"NumeroRepeticao", ""}, {"LSequencial", "0"}, {"LIntercalada", "1"}}, Esquema::E5i, 5, 20},
        CasoEsquema{"Scheme5sDefaultsToNoRepetitions",
                    {{"NumeroRepeticao", ""}, {"LateralContraria", ""}, {"ContracaoContraria", ""}}, Esquema::E5s, 0,
                    0}),
    [](const auto &info) { return std::string(info.param.nome); });

TEST(Configuracao, DecimalSettingsReadTheDecimalCommaAndFallBackToTheirDefaults)
{
    const ConfiguracaoTeste c = Configura({{"Inicia", "1,5"}, {"MCiclo", "abc"}, {"Alavanca", "0,35"}});
    EXPECT_DOUBLE_EQ(c.Inicia, 1.5);
    EXPECT_DOUBLE_EQ(c.MCiclo, 0.5);
    EXPECT_DOUBLE_EQ(c.Alavanca, 0.35);
    EXPECT_EQ(c.ValoresInvalidos, QStringList{QStringLiteral("MCiclo")});
}

TEST(Configuracao, TestDurationSplitsIntoMinutesAndSeconds)
{
    const ConfiguracaoTeste c = Configura({{"DuracaoTeste", "185"}});
    EXPECT_EQ(c.DuracaoMinutos, 3);
    EXPECT_EQ(c.DuracaoSegundos, 5);
}

TEST(Configuracao, SignallingThresholdsInNewtonsAreConvertedToKgf)
{
    const ConfiguracaoTeste c = Configura({{"ForcaSinaliza", "2"}, {"MaxSinaliza", "98,1"}});
    EXPECT_DOUBLE_EQ(c.MaxSinaliza, 10);
}

TEST(Configuracao, TheDemonstrationNamesReplaceEmptyContractionNames)
{
    QTemporaryDir pasta;
    RegistroIni registro = RegistroIni::DoArquivo(pasta.filePath(QStringLiteral("c.ini")));
    registro.WriteString(QStringLiteral("Dados"), QStringLiteral("IniciaContracao"), QString());
    const ConfiguracaoTeste demo = CarregaConfiguracao(registro, NomesContracao{{}, {}, true});
    EXPECT_EQ(demo.IniciaContracao, QStringLiteral("Flexão"));
    EXPECT_EQ(demo.ContracaoContraria, QStringLiteral("Extensão"));
    EXPECT_EQ(demo.esquema, Esquema::E1);
    const ConfiguracaoTeste ao_vivo =
        CarregaConfiguracao(registro, NomesContracao{QStringLiteral("Abdução"), QStringLiteral("Adução"), false});
    EXPECT_EQ(ao_vivo.IniciaContracao, QString());
    EXPECT_EQ(ao_vivo.ContracaoContraria, QStringLiteral("Adução"));
}

} // namespace
