// The start of vyrax in-process, with scripted message boxes.

#include "EsquemaBanco.h"
#include "MensagensRoteiro.h"
#include "ProgramaVyrax.h"
#include "Tfdados.h"

#include <QTemporaryDir>
#include <QtTest>

class TestePartida : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_pasta = std::make_unique<QTemporaryDir>();
        QDir pasta(m_pasta->path());
        QVERIFY(pasta.mkpath(QStringLiteral("config")) && pasta.mkpath(QStringLiteral("dados")) &&
                pasta.mkpath(QStringLiteral("portas")));
        qputenv("VYRAX_CONFIG_DIR", pasta.filePath(QStringLiteral("config")).toUtf8());
        qputenv("VYRAX_DADOS", pasta.filePath(QStringLiteral("dados")).toUtf8());
        qputenv("VYRAX_PORTAS_DIR", pasta.filePath(QStringLiteral("portas")).toUtf8());
    }

    void aMissingDatabaseIsReportedWithItsReasonAndTheProgramEnds()
    {
        MensagensRoteiro mensagens;
        ProgramaVyrax vyrax(mensagens);

        QVERIFY(!vyrax.Inicia());

        QCOMPARE(vyrax.CodigoSaida(), 1);
        QCOMPARE(mensagens.Exibidas().size(), 1);
        const auto &caixa = mensagens.Exibidas().first();
        QCOMPARE(caixa.titulo, QStringLiteral("Erro"));
        QCOMPARE(caixa.icone, Icone::Erro);
        QVERIFY(caixa.texto.startsWith(QStringLiteral("Ocorreu um erro ao acessar o Banco de Dados!\r"
                                                      "Execute este programa com privilégios de Administrador.\r"
                                                      "O programa será encerrado.\r\r")));
        QVERIFY2(caixa.texto.contains(QStringLiteral("vyrax-cli init --banco")), qPrintable(caixa.texto));
        QVERIFY(!vyrax.Principal()->isVisible());
    }

    void withItsDatabaseTheMainWindowShowsAndKeepsTheDataModule()
    {
        QString erro;
        QVERIFY2(esquema::CriaBanco(QDir(qEnvironmentVariable("VYRAX_DADOS")).filePath(Tfdados::NomeArquivo), &erro),
                 qPrintable(erro));
        MensagensRoteiro mensagens;
        ProgramaVyrax vyrax(mensagens);

        QVERIFY(vyrax.Inicia());

        QVERIFY(mensagens.Exibidas().isEmpty());
        QVERIFY(vyrax.Principal()->isVisible());
        QVERIFY(vyrax.Principal()->ModuloDados());
        QVERIFY(vyrax.Principal()->ModuloDados()->BancoOK());
        QVERIFY(vyrax.Principal()->TimerSensor()->isActive());
    }

private:
    std::unique_ptr<QTemporaryDir> m_pasta;
};

QTEST_MAIN(TestePartida)
#include "test_partida.moc"
