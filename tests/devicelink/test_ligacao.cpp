// The main window with its supervision and communication command, against
// the simulator program on a simulated port.

#include "MensagensRoteiro.h"
#include "ProgramaSimulador.h"
#include "RegistroIni.h"
#include "SupervisaoPrincipal.h"
#include "TfConfCOM.h"
#include "TfPrincipal.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TesteLigacao : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theLedTurnsYellowWithThePortAndFollowsTheInterface();
    void theCommunicationCommandLetsThePortBeChosenAndIdentifiesAgain_data();
    void theCommunicationCommandLetsThePortBeChosenAndIdentifiesAgain();

private:
    QString TextoPorta() const { return m_principal->findChild<QLabel *>(QStringLiteral("lbCOM"))->text(); }

    std::unique_ptr<QTemporaryDir> m_pasta;
    std::unique_ptr<ProgramaSimulador> m_simulador;
    std::unique_ptr<MensagensRoteiro> m_mensagens;
    std::unique_ptr<TfPrincipal> m_principal;
    std::unique_ptr<SupervisaoPrincipal> m_supervisao;
};

void TesteLigacao::init()
{
    m_pasta = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_pasta->path()).mkpath(QStringLiteral("portas")));
    qputenv("VYRAX_CONFIG_DIR", m_pasta->path().toUtf8());
    const QString portas = m_pasta->filePath(QStringLiteral("portas"));
    qputenv("VYRAX_PORTAS_DIR", portas.toUtf8());
    m_simulador = std::make_unique<ProgramaSimulador>(QStringLiteral(SIMULADOR), QStringLiteral("SIM1"),
                                                      QStringList{QStringLiteral("--log"), m_pasta->filePath(QStringLiteral("fio.log"))});
    QVERIFY(m_simulador->Pronto());
    m_mensagens = std::make_unique<MensagensRoteiro>();
    m_principal = std::make_unique<TfPrincipal>(*m_mensagens);
    m_supervisao = std::make_unique<SupervisaoPrincipal>(*m_principal, *m_mensagens, [portas] {
        return enlace::PortasRegistradas(portas).join(QLatin1Char(','));
    });
    QVERIFY(m_principal->FormCreate({}));
    m_principal->show();
}

void TesteLigacao::cleanup()
{
    m_supervisao.reset();
    m_principal.reset();
    m_simulador.reset();
}

void TesteLigacao::theLedTurnsYellowWithThePortAndFollowsTheInterface()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_principal->EstadoLedSensor(1), 2, 5000);
    QCOMPARE(TextoPorta(), QStringLiteral("    SIM1"));
    QCOMPARE(m_principal->PortaCOM(), QStringLiteral("SIM1"));

    QVERIFY(m_simulador->Comanda(QStringLiteral("desliga")));
    QTRY_COMPARE_WITH_TIMEOUT(m_principal->EstadoLedSensor(1), 3, 6000);
    QCOMPARE(TextoPorta(), QStringLiteral(" Não Ident."));

    QVERIFY(m_simulador->Comanda(QStringLiteral("liga")));
    QTRY_COMPARE_WITH_TIMEOUT(m_principal->EstadoLedSensor(1), 2, 12000);
    QCOMPARE(TextoPorta(), QStringLiteral("    SIM1"));
}

void TesteLigacao::theCommunicationCommandLetsThePortBeChosenAndIdentifiesAgain_data()
{
    QTest::addColumn<bool>("confirma");
    QTest::addColumn<QString>("portaAntes");
    QTest::newRow("a tested port is confirmed") << true << QStringLiteral("COM1");
    QTest::newRow("cancel keeps the port") << false << QStringLiteral("SIM1");
}

void TesteLigacao::theCommunicationCommandLetsThePortBeChosenAndIdentifiesAgain()
{
    QFETCH(bool, confirma);
    QFETCH(QString, portaAntes);
    QTRY_COMPARE_WITH_TIMEOUT(m_principal->EstadoLedSensor(1), 2, 5000);
    m_principal->DefinePortaCOM(portaAntes);
    if (confirma)
        m_mensagens->Responde(Botao::Ok); // the success box of the test

    int ledDuranteJanela = 0;
    bool portaFechadaDuranteJanela = false;
    QTimer::singleShot(0, this, [&] {
        auto *janela = qobject_cast<TfConfCOM *>(QApplication::activeModalWidget());
        QVERIFY(janela);
        ledDuranteJanela = m_principal->EstadoLedSensor(1);
        portaFechadaDuranteJanela = !m_supervisao->Supervisao().PortaInterface();
        if (!confirma)
            return janela->findChild<QPushButton *>(QStringLiteral("btCancelar"))->click();
        janela->findChild<QPushButton *>(QStringLiteral("btTeste"))->click();
        janela->findChild<QPushButton *>(QStringLiteral("btConfirmar"))->click();
    });
    m_principal->findChild<QAction *>(QStringLiteral("Comunicacao"))->trigger();

    QCOMPARE(ledDuranteJanela, 4);
    QVERIFY(portaFechadaDuranteJanela);
    QCOMPARE(m_principal->PortaCOM(), QStringLiteral("SIM1"));
    QCOMPARE(RegistroIni(QStringLiteral("Morvek.Vyrax")).ReadString(QStringLiteral("Dados"), QStringLiteral("Porta"), QString()),
             QStringLiteral("SIM1"));
    QCOMPARE(m_supervisao->Supervisao().InterfaceIdentificada(), 1);
    QVERIFY(m_principal->TimerSensor()->isActive());
    QCOMPARE(m_mensagens->RespostasPendentes(), 0);

    // On the wire: the stop request before the port was closed, and after the
    // window DTR down before the identify request.
    QFile fio(m_pasta->filePath(QStringLiteral("fio.log")));
    QVERIFY(fio.open(QIODevice::ReadOnly));
    const QString registro = QString::fromUtf8(fio.readAll());
    const QString ultimo = registro.section(QStringLiteral("RX TP 54 50 a1 01 00 03 f5"), -1);
    QVERIFY(ultimo.contains(QRegularExpression(QStringLiteral("RX DTR 0\\n.*RX 0a c0 d0 01 00 6f 0f"),
                                               QRegularExpression::DotMatchesEverythingOption)));
}

QTEST_MAIN(TesteLigacao)
#include "test_ligacao.moc"
