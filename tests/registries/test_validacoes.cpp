#include "Validacoes.h"

#include <gtest/gtest.h>

namespace {
std::optional<CampoInvalido> CampoDe(const std::optional<Falha> &falha)
{
    return falha ? std::optional(falha->campo) : std::nullopt;
}
} // namespace

TEST(ValidaAvaliado, ChecksNameThenBirthThenSexThenTheDate)
{
    struct Caso {
        const char *nome, *nascimento, *sexo;
        std::optional<CampoInvalido> campo;
        const char *mensagem;
    };
    const Caso casos[] = {
        {"", "01/02/2000", "F", CampoInvalido::Nome, "O Nome deve ser informado..."},
        {"   ", "  /  /    ", "X", CampoInvalido::Nome, "O Nome deve ser informado..."},
        {"ANA", "  /  /    ", "F", CampoInvalido::Nascimento, "O Nascimento deve ser informado..."},
        {"ANA", "//", "F", CampoInvalido::Nascimento, "O Nascimento deve ser informado..."},
        {"ANA", "01/02/2000", "", CampoInvalido::Sexo, "O Sexo deve ser F ou M!"},
        {"ANA", "01/02/2000", "f", CampoInvalido::Sexo, "O Sexo deve ser F ou M!"},
        {"ANA", "31/02/2000", "F", CampoInvalido::Nascimento,
         "O Nascimento deve ser uma data válida (dd/mm/aaaa)..."},
        {"ANA", "12/03/    ", "M", CampoInvalido::Nascimento,
         "O Nascimento deve ser uma data válida (dd/mm/aaaa)..."},
        {"ANA", "01/02/2000", "M", std::nullopt, ""},
    };
    for (const Caso &c : casos) {
        const ResultadoAvaliado r = ValidaAvaliado(QString::fromUtf8(c.nome),
                                                   QString::fromUtf8(c.nascimento),
                                                   QString::fromUtf8(c.sexo));
        EXPECT_EQ(CampoDe(r.falha), c.campo) << c.nome << "|" << c.nascimento << "|" << c.sexo;
        EXPECT_EQ(r.falha ? r.falha->mensagem : QString(), QString::fromUtf8(c.mensagem));
    }
    EXPECT_EQ(ValidaAvaliado("ANA", "01/02/2000", "F").nascimento, QDate(2000, 2, 1));
}

TEST(ValidaAvaliado, AntagonistLeftEmptyBecomesNenhuma)
{
    EXPECT_EQ(AntagonicaOuNenhuma(""), "NENHUMA");
    EXPECT_EQ(AntagonicaOuNenhuma("  "), "NENHUMA");
    EXPECT_EQ(AntagonicaOuNenhuma("EXTENSAO"), "EXTENSAO");
}

TEST(ValidaNovaAvaliacao, StopsAtTheFirstFailureInOrder)
{
    struct Caso {
        const char *avaliado, *grupo, *sexo, *peso;
        std::optional<CampoInvalido> campo;
        const char *mensagem;
    };
    const Caso casos[] = {
        {"", "", "", "", CampoInvalido::Avaliado, "O nome do Avaliado deve ser informado..."},
        {"3", "", "", "", CampoInvalido::Grupo, "O nome do Grupo deve ser informado..."},
        {"3", "INDIVIDUAL", "", "", CampoInvalido::Sexo, "O Sexo deve ser F ou M!"},
        {"3", "INDIVIDUAL", "M", "", CampoInvalido::Peso, "O Peso deve ser informado..."},
        {"3", "INDIVIDUAL", "M", "0", CampoInvalido::Peso, "O Peso deve ser informado..."},
        {"3", "INDIVIDUAL", "M", "0,00", CampoInvalido::Peso, "O Peso deve ser informado..."},
        {"3", "INDIVIDUAL", "M", ",", CampoInvalido::Peso, "O Peso deve ser informado..."},
        {"3", "INDIVIDUAL", "M", "72.5", CampoInvalido::Peso, "O Peso deve ser informado..."},
        {"3", "INDIVIDUAL", "M", "72,50", std::nullopt, ""},
    };
    for (const Caso &c : casos) {
        const ResultadoNovaAvaliacao r = ValidaNovaAvaliacao(c.avaliado, c.grupo, c.sexo, c.peso);
        EXPECT_EQ(CampoDe(r.falha), c.campo) << c.avaliado << "|" << c.grupo << "|" << c.peso;
        EXPECT_EQ(r.falha ? r.falha->mensagem : QString(), QString::fromUtf8(c.mensagem));
    }
}

TEST(ValidaNovaAvaliacao, WeightIsKeptAsItsShortestText)
{
    struct Caso { const char *digitado, *guardado; };
    const Caso casos[] = {{"72,50", "72,5"}, {"80", "80"}, {"080,0", "80"}, {"0,5", "0,5"}};
    for (const Caso &c : casos)
        EXPECT_EQ(ValidaNovaAvaliacao("1", "G", "F", c.digitado).peso, c.guardado) << c.digitado;
}
