#include "ConfiguracaoInicio.h"
#include "RegistroIni.h"

#include <QTemporaryDir>
#include <QTest>

class TesteConfiguracaoInicio : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_pasta = std::make_unique<QTemporaryDir>();
        qputenv("VYRAX_CONFIG_DIR", m_pasta->path().toUtf8());
    }

    void aFreshProfileReadsTheDefaultsAndMarksTheCurveBounded()
    {
        RegistroIni registro(QStringLiteral("Morvek.Vyrax"));
        const ConfiguracaoInicio config = LeConfiguracaoInicio(registro);
        QCOMPARE(config.Porta, QStringLiteral("COM1"));
        QCOMPARE(config.IndiceCorrecao, 1.0);
        QCOMPARE(config.TempoIntervalo, 50);
        QCOMPARE(config.Avaliador, QString());
        QCOMPARE(config.SemPeso, 0.0);
        QCOMPARE(config.ValorZerado, 0.0);
        QCOMPARE(config.Frequencia, 300);
        QCOMPARE(config.BackupCont, 0);
        QCOMPARE(RegistroIni(QStringLiteral("Morvek.Vyrax")).ReadString("Dados", "GraficoEstatico", ""),
                 QStringLiteral("1"));
    }

    void storedValuesAreReadWithTheDecimalComma()
    {
        RegistroIni registro(QStringLiteral("Morvek.Vyrax"));
        registro.WriteString("Dados", "Porta", "/dev/ttyUSB0");
        registro.WriteString("Dados", "IndiceCorrecao", "1234,5678");
        registro.WriteString("Dados", "SemPeso", "8388608");
        registro.WriteString("Dados", "ValorZerado", "-0,125");
        registro.WriteString("Dados", "Frequencia", "050");
        registro.WriteString("Dados", "BackupCont", "7");
        const ConfiguracaoInicio config = LeConfiguracaoInicio(registro);
        QCOMPARE(config.Porta, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(config.IndiceCorrecao, 1234.5678);
        QCOMPARE(config.SemPeso, 8388608.0);
        QCOMPARE(config.ValorZerado, -0.125);
        QCOMPARE(config.Frequencia, 50);
        QCOMPARE(config.BackupCont, 7);
    }

    void aCalibrationValueThatIsNotANumberIsRepaired_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("padrao");
        QTest::newRow("SemPeso") << "SemPeso" << "0";
        QTest::newRow("IndiceCorrecao") << "IndiceCorrecao" << "1";
        QTest::newRow("ValorZerado") << "ValorZerado" << "0";
    }
    void aCalibrationValueThatIsNotANumberIsRepaired()
    {
        QFETCH(QString, nome);
        QFETCH(QString, padrao);
        RegistroIni registro(QStringLiteral("Morvek.Vyrax"));
        registro.WriteString("Dados", nome, "abc");
        LeConfiguracaoInicio(registro);
        QCOMPARE(RegistroIni(QStringLiteral("Morvek.Vyrax")).ReadString("Dados", nome, ""), padrao);
    }

private:
    std::unique_ptr<QTemporaryDir> m_pasta;
};

QTEST_GUILESS_MAIN(TesteConfiguracaoInicio)
#include "test_configuracao_inicio.moc"
