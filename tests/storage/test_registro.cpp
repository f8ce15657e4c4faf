#include "RegistroIni.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Registro : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta.isValid());
        qputenv("VYRAX_CONFIG_DIR", pasta.path().toUtf8());
    }
    void TearDown() override { qunsetenv("VYRAX_CONFIG_DIR"); }

    void escreveArquivo(const QByteArray &conteudo)
    {
        QFile arquivo(pasta.filePath("Morvek.Vyrax.ini"));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write(conteudo);
    }

    QTemporaryDir pasta;
};

} // namespace

TEST_F(Registro, AFreshProfileYieldsEveryDefault)
{
    RegistroIni reg("Morvek.Vyrax");
    EXPECT_EQ(reg.ReadString("Dados", "Porta", "COM1"), "COM1");
    EXPECT_EQ(reg.ReadInteger("Dados", "TempoIntervalo", 50), 50);
    EXPECT_TRUE(reg.ReadBool("Dados", "LSequencial", true));
    EXPECT_FALSE(reg.ReadBool("Dados", "LSequencial", false));
    EXPECT_FALSE(QFile::exists(reg.Arquivo())) << "reading never creates the file";
}

TEST_F(Registro, AValueWrittenIsSeenByTheNextReader)
{
    EXPECT_TRUE(RegistroIni("Morvek.Vyrax").WriteString("Dados", "Frequencia", "050"));
    RegistroIni("Morvek.Vyrax").WriteBool("Dados", "LIntercalada", true);
    RegistroIni("Morvek.Vyrax").WriteInteger("Dados", "BackupCont", 12);

    RegistroIni reg("Morvek.Vyrax");
    EXPECT_EQ(reg.ReadInteger("Dados", "Frequencia", 300), 50) << "\"050\" reads as 50";
    EXPECT_EQ(reg.ReadString("Dados", "LIntercalada", ""), "1") << "booleans are stored as 1/0";
    EXPECT_TRUE(reg.ReadBool("Dados", "LIntercalada", false));
    EXPECT_EQ(reg.ReadInteger("Dados", "BackupCont", 0), 12);
}

TEST_F(Registro, IntegerReadsFallBackToTheDefaultForText)
{
    escreveArquivo("[Dados]\nNumeroRepeticao=abc\nSobreL=\nTempoRegressivo=1,5\n");
    RegistroIni reg("Morvek.Vyrax");
    EXPECT_EQ(reg.ReadInteger("Dados", "NumeroRepeticao", 5), 5);
    EXPECT_EQ(reg.ReadInteger("Dados", "SobreL", 3), 3);
    EXPECT_EQ(reg.ReadInteger("Dados", "TempoRegressivo", 5), 5);
}

TEST_F(Registro, CommaDecimalsAndListsOfCommasStayText)
{
    escreveArquivo("[Dados]\r\nMCiclo=0,500\r\nAvaliador=Ana, Maria \r\n");
    RegistroIni reg("Morvek.Vyrax");
    EXPECT_EQ(reg.ReadString("Dados", "MCiclo", ""), "0,500");
    EXPECT_EQ(reg.ReadString("Dados", "Avaliador", ""), "Ana, Maria ") << "values are kept as typed";
}

TEST_F(Registro, TextWithLineBreaksRoundTrips)
{
    const QString texto = "linha 1\nlinha 2\\fim";
    RegistroIni("Morvek.Vyrax").WriteString("Dados", "Laboratorio", texto);
    EXPECT_EQ(RegistroIni("Morvek.Vyrax").ReadString("Dados", "Laboratorio", ""), texto);
}

TEST_F(Registro, SectionsOfTheToolAreSeparate)
{
    RegistroIni tool("Morvek.Protocolo");
    tool.WriteInteger("Paremetros", "Amostras", 4);
    tool.WriteString("Calibracao", "IndiceCorrecao", "123,4567");
    RegistroIni lido("Morvek.Protocolo");
    EXPECT_EQ(lido.ReadInteger("Paremetros", "Amostras", 2), 4);
    EXPECT_EQ(lido.ReadInteger("Parametros", "Amostras", 2), 2);
    EXPECT_EQ(RegistroIni("Morvek.Vyrax").ReadString("Calibracao", "IndiceCorrecao", "x"), "x");
}

TEST_F(Registro, StartUpRepairWritesTheDefaultBack)
{
    escreveArquivo("[Dados]\nSemPeso=abc\nIndiceCorrecao=1234,5\n");
    RegistroIni reg("Morvek.Vyrax");
    EXPECT_DOUBLE_EQ(LeDecimalReparando(reg, "Dados", "SemPeso", "0"), 0.0);
    EXPECT_DOUBLE_EQ(LeDecimalReparando(reg, "Dados", "IndiceCorrecao", "1"), 1234.5);
    EXPECT_DOUBLE_EQ(LeDecimalReparando(reg, "Dados", "ValorZerado", "0"), 0.0);
    EXPECT_EQ(RegistroIni("Morvek.Vyrax").ReadString("Dados", "SemPeso", ""), "0");
}

TEST_F(Registro, AWriteThatCannotReachTheDiskSaysSo)
{
    // /proc refuses new folders even to root: the same path a full disk takes.
    qputenv("VYRAX_CONFIG_DIR", "/proc/vyrax-sem-gravacao");
    RegistroIni reg("Morvek.Vyrax");
    EXPECT_FALSE(reg.WriteString("Dados", "Porta", "SIM2"));
    EXPECT_TRUE(reg.UltimoErro().startsWith("Não foi possível")) << reg.UltimoErro().toStdString();
    EXPECT_EQ(reg.ReadString("Dados", "Porta", ""), "SIM2") << "the running program keeps the value";
}

TEST_F(Registro, TheRepairFallsBackToTheDefaultWhenItCannotWrite)
{
    qputenv("VYRAX_CONFIG_DIR", "/proc/vyrax-sem-gravacao");
    RegistroIni reg("Morvek.Vyrax");
    reg.WriteString("Dados", "IndiceCorrecao", "abc");
    EXPECT_DOUBLE_EQ(LeDecimalReparando(reg, "Dados", "IndiceCorrecao", "1"), 1.0);
}
