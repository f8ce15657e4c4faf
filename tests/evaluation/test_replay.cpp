// vyrax-cli replay, run as the user runs it.

#include "Numeros.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Resultado {
    int status = -1;
    QString saida;
    QString erro;
};

class Replay : public ::testing::Test {
protected:
    QTemporaryDir pasta;

    QString Arquivo(const QString &nome, const QByteArray &conteudo)
    {
        const QString caminho = pasta.filePath(nome);
        QFile f(caminho);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
        return caminho;
    }
    QString Config(const QByteArray &extra = {})
    {
        return Arquivo(QStringLiteral("config.ini"),
                       "[Dados]\nIniciaLateral=Direita\nLateralContraria=Esquerda\nIniciaContracao=Flexão\n"
                       "ContracaoContraria=Extensão\nLSequencial=1\nNumeroRepeticao=1\nSTeste=TI\n"
                       "Frequencia=50\n" + extra);
    }
    static Resultado Executa(const QStringList &argumentos)
    {
        QProcess p;
        p.start(QStringLiteral(VYRAX_CLI), QStringList{QStringLiteral("replay")} + argumentos);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
};

// A cycle per side with a rest: efforts that relax to within MCiclo.
QByteArray Valores()
{
    QByteArray v;
    for (int i = 0; i < 5; ++i)
        v += "0,05\n";
    for (int lado = 0; lado < 2; ++lado)
        for (const char *f : {"2", "3,5", "4", "2", "0,3", "-0.4", "-2", "-3,25", "-2", "-0,3", "0,2", "0,2", "0,2",
                              "0,2", "0,2"})
            v += QByteArray(f) + '\n';
    v += "\nignorada\n";
    return v;
}

TEST_F(Replay, WritesTheSampleTableAndReportsWindowsAndTheEnd)
{
    const Resultado r = Executa({"--config", Config(), "--valores", Arquivo("v.txt", Valores()), "--peso", "80"});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_EQ(r.erro, QStringLiteral("JANELA troca\nFIM: FIM 1.s\n"));
    const QStringList linhas = r.saida.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(linhas.size(), 2);
    EXPECT_TRUE(linhas[0].startsWith(QStringLiteral("Am_Geral;Am_Ciclo;Am_Contracao;Ciclo;Contracao_Numero;")));
    EXPECT_TRUE(linhas[0].endsWith(QStringLiteral(";Amostra_Forca_Maxima;Tempo_Forca_Maxima;Duracao_Contracao")));
    const QStringList cabecalho = linhas[0].split(u';');
    EXPECT_EQ(cabecalho.size(), 40);
    const QStringList primeira = linhas[1].split(u';');
    ASSERT_EQ(primeira.size(), 40);
    EXPECT_EQ(primeira[0], QStringLiteral("1"));
    EXPECT_EQ(primeira[5], QStringLiteral("Flexão"));
    EXPECT_EQ(primeira[9], QStringLiteral("0.02"));
    EXPECT_EQ(primeira[12], QStringLiteral("P"));
    EXPECT_EQ(primeira[13], QStringLiteral("2"));
    EXPECT_EQ(primeira[16], QStringLiteral("19.62"));
    // Every number is in its shortest round-trip form with a decimal point.
    for (int i = 1; i < linhas.size(); ++i) {
        const QStringList campos = linhas[i].split(u';');
        ASSERT_EQ(campos.size(), 40);
        for (int c = 0; c < 40; ++c) {
            if (c == 5 || c == 6 || c == 12)
                continue;
            bool ok = false;
            const double valor = campos[c].toDouble(&ok);
            ASSERT_TRUE(ok) << campos[c].toStdString();
            EXPECT_EQ(numeros::PontoCurto(valor), campos[c]);
        }
    }
}

TEST_F(Replay, WritesTheOutputFileWhole)
{
    const QString saida = pasta.filePath(QStringLiteral("saida.csv"));
    const Resultado r =
        Executa({"--config", Config(), "--valores", Arquivo("v.txt", Valores()), "--saida", saida});
    ASSERT_EQ(r.status, 0) << r.erro.toStdString();
    EXPECT_TRUE(r.saida.isEmpty());
    QFile f(saida);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("Am_Geral;"));
}

struct CasoInvalido {
    const char *nome;
    QByteArray config;   // empty: no such file
    QByteArray valores;  // empty: no such file
    QString peso;
    QString mensagem;
};

void PrintTo(const CasoInvalido &c, std::ostream *os) { *os << c.nome; }

class ReplayInvalido : public Replay, public ::testing::WithParamInterface<CasoInvalido> {};

TEST_P(ReplayInvalido, RefusesBadInputWithStatus2AndWritesNothing)
{
    const CasoInvalido &caso = GetParam();
    const QString config =
        caso.config.isEmpty() ? pasta.filePath(QStringLiteral("falta.ini")) : Arquivo("c.ini", caso.config);
    const QString valores =
        caso.valores.isEmpty() ? pasta.filePath(QStringLiteral("falta.txt")) : Arquivo("v.txt", caso.valores);
    const QString saida = Arquivo("saida.csv", "anterior");
    const Resultado r = Executa({"--config", config, "--valores", valores, "--peso", caso.peso, "--saida", saida});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.erro.contains(caso.mensagem)) << r.erro.toStdString();
    QFile f(saida);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("anterior"));
}

const QByteArray ConfigValida = "[Dados]\nIniciaContracao=Flexão\nContracaoContraria=Extensão\n";

INSTANTIATE_TEST_SUITE_P(
    Casos, ReplayInvalido,
    ::testing::Values(
        CasoInvalido{"MissingConfig", {}, "1\n", "70", "arquivo de configuração"},
        CasoInvalido{"MissingValues", ConfigValida, {}, "70", "arquivo de valores"},
        CasoInvalido{"LineNotANumber", ConfigValida, "1,5\n2\nabc\n", "70", "linha 3"},
        CasoInvalido{"ZeroWeight", ConfigValida, "1\n", "0", "peso inválido"},
        CasoInvalido{"WeightNotANumber", ConfigValida, "1\n", "setenta", "peso inválido"},
        CasoInvalido{"NoScheme", "[Dados]\nIniciaContracao=Flexão\nLSequencial=0\n", "1\n", "70",
                     "Falha nas definições dos Parametros."},
        CasoInvalido{"ThresholdNotANumber", ConfigValida + "Inicia=1.5\n", "1\n", "70", "Inicia"}),
    [](const auto &info) { return std::string(info.param.nome); });

} // namespace
