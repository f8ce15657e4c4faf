#include "TiposFuncoes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(TiposFuncoes, FormataNumeroPadsWithZerosAndKeepsTheLastCharacters)
{
    EXPECT_EQ(FormataNumero(2, 0, 7), "07");
    EXPECT_EQ(FormataNumero(8, 2, 1234.5), "1.234,50");
    EXPECT_EQ(FormataNumero(10, 2, 1234.5), "001.234,50");
    EXPECT_EQ(FormataNumero(2, 0, 123), "23") << "wider values lose their leading characters";
}

TEST(TiposFuncoes, DireitaStr)
{
    EXPECT_EQ(DireitaStr("abcdef", 2), "ef");
    EXPECT_EQ(DireitaStr("ab", 5), "ab");
    EXPECT_EQ(DireitaStr("ab", 0), "");
}

TEST(TiposFuncoes, ValorAmostraDecodesTheBigEndianPayload)
{
    const std::uint8_t quadro[] = {0x0A, 0xC0, 0xD0, 0x04, 0x03, 0x01, 0x86, 0xA0, 0, 0x0F};
    EXPECT_EQ(ValorAmostra(quadro), 100000u);
    const std::uint8_t maximo[] = {0x0A, 0xC0, 0xD0, 0x04, 0x03, 0xFF, 0xFF, 0xFF, 0, 0x0F};
    EXPECT_EQ(ValorAmostra(maximo), 16777215u);
}

TEST(TiposFuncoes, ArredondaPassoRoundsToTheStepWithTiesUp)
{
    EXPECT_DOUBLE_EQ(ArredondaPasso(4.9, 2), 4);
    EXPECT_DOUBLE_EQ(ArredondaPasso(5, 2), 6);
    EXPECT_DOUBLE_EQ(ArredondaPasso(0.3, 1), 1);
    EXPECT_DOUBLE_EQ(ArredondaPasso(0, 0.5), 0.5);
}

TEST(TiposFuncoes, FormataTempo)
{
    EXPECT_EQ(FormataTempo(450, 150), "00:03");
    EXPECT_EQ(FormataTempo(9150, 150), "01:01");
    EXPECT_EQ(FormataTempo(375, 150), "00:02") << "2.5 s rounds to even";
}

TEST(TiposFuncoes, BoolParaTexto)
{
    EXPECT_EQ(BoolParaTexto(true), "True");
    EXPECT_EQ(BoolParaTexto(false), "False");
}

TEST(TiposFuncoes, NomeProcessadorReadsTheModelNameOfThatProcessor)
{
    const QString cpuinfo = "processor\t: 0\nmodel name\t:  Alfa CPU  \n\nprocessor\t: 1\nmodel name\t: Beta CPU\n";
    EXPECT_EQ(NomeProcessadorDe(cpuinfo, 0), "Alfa CPU");
    EXPECT_EQ(NomeProcessadorDe(cpuinfo, 1), "Beta CPU");
    EXPECT_EQ(NomeProcessadorDe(cpuinfo, 7), "Não Identificado.");
    EXPECT_EQ(NomeProcessadorDe("", 0), "Não Identificado.");
}

TEST(TiposFuncoes, MemoriaFisicaTotalIsKnown)
{
    EXPECT_GT(MemoriaFisicaTotal(), 0u);
}

TEST(TiposFuncoes, ExecutaEAguardaFailsAtOnceForAMissingProgram)
{
    QElapsedTimer relogio;
    relogio.start();
    EXPECT_FALSE(ExecutaEAguarda("/nao/existe/protocolo", "", 1));
    EXPECT_LT(relogio.elapsed(), 100);
}

TEST(TiposFuncoes, ExecutaEAguardaRunsInTheProgramFolderAndWaits)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString script = pasta.filePath("marca.sh");
    QFile arquivo(script);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("#!/bin/sh\nsleep 0.2\npwd > onde.txt\necho \"$1 $2\" >> onde.txt\n");
    arquivo.close();
    arquivo.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_TRUE(ExecutaEAguarda(script, " um dois", 1));
    QFile saida(pasta.filePath("onde.txt"));
    ASSERT_TRUE(saida.open(QIODevice::ReadOnly)) << "the launcher returned before the program ended";
    const QStringList linhas = QString::fromUtf8(saida.readAll()).split('\n');
    EXPECT_EQ(QDir(linhas.value(0)).canonicalPath(), QDir(pasta.path()).canonicalPath());
    EXPECT_EQ(linhas.value(1), "um dois");
}
