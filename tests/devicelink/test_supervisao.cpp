// The interface supervision against simulated interfaces on real simulated
// ports: the simulator program, and in-process devices that stay silent or
// answer the identify request with something else than 100.

#include "Auxiliares.h"
#include "InterfaceForca.h"
#include "ProgramaSimulador.h"
#include "RegistroIni.h"
#include "SupervisaoInterface.h"

#include <QTimer>
#include <QtTest>

namespace {

// The main window as far as the supervision goes; keeps the whole log.
class PainelTeste : public PainelSupervisao {
public:
    void AjustaLedSensor(int estado) override { led = estado; }
    void MostraPorta(const QString &t, const QString &d, int l) override
    {
        texto = t;
        dica = d;
        largura = l;
    }
    void Loga(const QString &linha) override { log << linha; }
    void AjustaBarraEspaco() override { ++ajustesBarra; }
    int IntervaloSupervisao() const override { return intervalo; }
    void DefineIntervaloSupervisao(int ms) override { intervalo = ms; }
    QString PortaCOM() const override { return porta; }
    void DefinePortaCOM(const QString &p) override { porta = p; }

    int led = led::Cinza;
    QString texto;
    QString dica;
    int largura = 16;
    QStringList log;
    int ajustesBarra = 0;
    int intervalo = 100;
    QString porta = QStringLiteral("COM1");
};

// Answers every identify request with the given payload byte and writes down
// what it received.
class OutraInterface : public Gravador {
public:
    explicit OutraInterface(std::uint8_t resposta) : m_resposta(resposta) {}
    void Recebe(std::span<const std::uint8_t> bytes, Instante agora) override
    {
        Gravador::Recebe(bytes, agora);
        const QByteArray recebidos(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
        if (!recebidos.contains(QByteArray(ComandoIdentificar.data(), qsizetype(ComandoIdentificar.size()))))
            return;
        TQuadro quadro{};
        const std::uint8_t dados[] = {m_resposta};
        Envia(std::span(quadro.data(), std::size_t(MontaQuadro(quadro, FuncaoIdentificar, dados))));
    }

private:
    std::uint8_t m_resposta;
};

const QString Identificar = QStringLiteral("0a c0 d0 01 00 6f 0f ");
const QString Parar = QStringLiteral("0a c0 d0 06 00 6a 0f ");
const QString FechamentoPosicao = QStringLiteral("54 50 a1 01 00 03 f5 ");
const QString NaoIdentificada = QStringLiteral("Interface do Vyrax-PRO não identificada! Verifique a Comunicação...");

} // namespace

class TesteSupervisao : public QObject {
    Q_OBJECT

private slots:
    void init();
    void anAnsweringInterfaceIsFoundAndShownYellowWithItsPort();
    void oneIdentifiedTickLogsExactlyItsLines();
    void anInterfaceThatFallsSilentTurnsRedAndYellowAgainWhenItComesBack();
    void threePortsAreScannedFromTheLastToTheFirstUntilOneAnswers();
    void withoutSerialPortsTheLabelSaysSoAndTheTickSlowsToThreeSeconds();
    void anUnsuccessfulSearchSlowsDownButNeverBeyond4100ms_data();
    void anUnsuccessfulSearchSlowsDownButNeverBeyond4100ms();
    void anInterfaceThatDoesNotAnswer100FailsThePingAfterTwoReadings();
    void aTickDuringTheScanDoesNothingWhileTheEventLoopRuns();

private:
    std::unique_ptr<SupervisaoInterface> Nova();

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<PastaPortasTemporaria> m_portas;
    PainelTeste m_painel;
};

void TesteSupervisao::init()
{
    m_portas.reset();
    m_portas = std::make_unique<PastaPortasTemporaria>();
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("VYRAX_CONFIG_DIR", m_config->path().toUtf8());
    m_painel = PainelTeste();
}

std::unique_ptr<SupervisaoInterface> TesteSupervisao::Nova()
{
    // Only the test's simulated ports, whatever serial ports the machine has.
    const QString pasta = m_portas->Caminho();
    return std::make_unique<SupervisaoInterface>(m_painel, [pasta] { return enlace::PortasRegistradas(pasta).join(QLatin1Char(',')); });
}

void TesteSupervisao::anAnsweringInterfaceIsFoundAndShownYellowWithItsPort()
{
    ProgramaSimulador simulador(QStringLiteral(SIMULADOR), QStringLiteral("SIM1"));
    QVERIFY(simulador.Pronto());
    auto supervisao = Nova();

    supervisao->tmSensorTimer();

    QCOMPARE(m_painel.led, led::Amarelo);
    QCOMPARE(m_painel.texto, QStringLiteral("    SIM1"));
    QCOMPARE(m_painel.dica, QStringLiteral("Interface do Vyrax-PRO conectada a SIM1!"));
    QCOMPARE(m_painel.largura, 24);
    QCOMPARE(m_painel.porta, QStringLiteral("SIM1"));
    QCOMPARE(supervisao->InterfaceIdentificada(), 1);
    QVERIFY(supervisao->PortaInterface() && supervisao->PortaInterface()->InstanceActive());
    QCOMPARE(RegistroIni(QStringLiteral("Morvek.Vyrax")).ReadString(QStringLiteral("Dados"), QStringLiteral("Porta"), QString()),
             QStringLiteral("SIM1"));
    QCOMPARE(m_painel.intervalo, 100);

    supervisao->tmSensorTimer();
    QCOMPARE(m_painel.intervalo, SupervisaoInterface::IntervaloIdentificada);
    QCOMPARE(m_painel.led, led::Amarelo);
}

void TesteSupervisao::oneIdentifiedTickLogsExactlyItsLines()
{
    ProgramaSimulador simulador(QStringLiteral(SIMULADOR), QStringLiteral("SIM1"));
    QVERIFY(simulador.Pronto());
    auto supervisao = Nova();
    supervisao->tmSensorTimer();
    m_painel.log.clear();

    supervisao->tmSensorTimer();

    const QStringList esperado{
        QStringLiteral("----> Portas Seriais Encontradas: (1) SIM1"),
        QStringLiteral("----> Conexão - SrVyraxOK = True - HardVyraxOKSts = 0"),
        QStringLiteral("----> Identificação"),
        QStringLiteral("Identificação: 0 - OK"),
        Identificar,
        QStringLiteral("Identificação: 1 - OK"),
        QStringLiteral("0a c0 d0 01 01 64 0a 0f "),
        QStringLiteral("<---- Identificação"),
        QStringLiteral("<----"),
    };
    QCOMPARE(m_painel.log, esperado);
}

void TesteSupervisao::anInterfaceThatFallsSilentTurnsRedAndYellowAgainWhenItComesBack()
{
    ProgramaSimulador simulador(QStringLiteral(SIMULADOR), QStringLiteral("SIM1"));
    QVERIFY(simulador.Pronto());
    auto supervisao = Nova();
    supervisao->tmSensorTimer();
    QCOMPARE(m_painel.led, led::Amarelo);

    QVERIFY(simulador.Comanda(QStringLiteral("desliga")));
    supervisao->tmSensorTimer();
    QCOMPARE(m_painel.led, led::Vermelho);
    QCOMPARE(m_painel.texto, QStringLiteral(" Não Ident."));
    QCOMPARE(m_painel.dica, NaoIdentificada);
    QCOMPARE(m_painel.largura, 22);
    QCOMPARE(m_painel.porta, QString());
    QCOMPARE(supervisao->InterfaceIdentificada(), 0);
    QCOMPARE(supervisao->FalhasIdentificacao(), 1);
    QVERIFY(!supervisao->PortaInterface());
    QVERIFY(m_painel.log.contains(QStringLiteral("Identificação: 1 - ERRO")));

    QVERIFY(simulador.Comanda(QStringLiteral("liga")));
    supervisao->tmSensorTimer();
    QCOMPARE(m_painel.led, led::Amarelo);
    QCOMPARE(m_painel.texto, QStringLiteral("    SIM1"));
    QCOMPARE(supervisao->FalhasIdentificacao(), 0);
}

void TesteSupervisao::threePortsAreScannedFromTheLastToTheFirstUntilOneAnswers()
{
    Gravador primeira;
    InterfaceForca segunda;
    Gravador terceira;
    ServidorEmTeste sim1(primeira, QStringLiteral("SIM1"));
    ServidorEmTeste sim2(segunda, QStringLiteral("SIM2"));
    ServidorEmTeste sim3(terceira, QStringLiteral("SIM3"));
    QVERIFY(sim1.erro.isEmpty() && sim2.erro.isEmpty() && sim3.erro.isEmpty());
    auto supervisao = Nova();

    supervisao->tmSensorTimer();
    sim1.Termina();
    sim3.Termina();

    QCOMPARE(m_painel.porta, QStringLiteral("SIM2"));
    QCOMPARE(m_painel.led, led::Amarelo);
    QStringList tentadas;
    for (qsizetype i = 0; i + 1 < m_painel.log.size(); ++i)
        if (m_painel.log[i] == QStringLiteral("AutoIdentificação - 2 - OK"))
            tentadas << m_painel.log[i + 1];
    QCOMPARE(tentadas, (QStringList{QStringLiteral("SIM3"), QStringLiteral("SIM2")}));
    QVERIFY(primeira.eventos.isEmpty());
    // The silent port: DTR down, stop, DTR up, identify, then the closing
    // sequence; the line drops as the port goes.
    QCOMPARE(QString::fromLatin1(terceira.eventos),
             QStringLiteral("DTR1 DTR0 ") + Parar + QStringLiteral("DTR1 ") + Identificar + QStringLiteral("DTR0 ") + Parar +
                 FechamentoPosicao + QStringLiteral("DTR0 "));
}

void TesteSupervisao::withoutSerialPortsTheLabelSaysSoAndTheTickSlowsToThreeSeconds()
{
    auto supervisao = Nova();
    supervisao->tmSensorTimer();
    QCOMPARE(m_painel.led, led::Vermelho);
    QCOMPARE(m_painel.texto, QStringLiteral(" Sem COM"));
    QCOMPARE(m_painel.dica, QStringLiteral("Portas Seriais não encontradas!"));
    QCOMPARE(m_painel.largura, 22);
    QCOMPARE(m_painel.intervalo, SupervisaoInterface::IntervaloSemPortas);
    QCOMPARE(m_painel.log, (QStringList{QStringLiteral("----> Portas Seriais Encontradas: (0) "), QStringLiteral("<----")}));
    QCOMPARE(m_painel.ajustesBarra, 1);
}

void TesteSupervisao::anUnsuccessfulSearchSlowsDownButNeverBeyond4100ms_data()
{
    QTest::addColumn<int>("inicial");
    QTest::addColumn<QList<int>>("intervalos");
    QTest::newRow("from the start of the supervision") << 100 << QList<int>{2100, 4100, 4100};
    QTest::newRow("after losing an identified link") << 1000 << QList<int>{3000, 4100};
    QTest::newRow("after the ports came back") << 3000 << QList<int>{4100};
}

void TesteSupervisao::anUnsuccessfulSearchSlowsDownButNeverBeyond4100ms()
{
    QFETCH(int, inicial);
    QFETCH(QList<int>, intervalos);
    Gravador mudo;
    ServidorEmTeste sim1(mudo, QStringLiteral("SIM1"));
    QVERIFY(sim1.erro.isEmpty());
    auto supervisao = Nova();
    m_painel.intervalo = inicial;
    for (const int esperado : intervalos) {
        supervisao->tmSensorTimer();
        QCOMPARE(m_painel.intervalo, esperado);
        QCOMPARE(m_painel.led, led::Vermelho);
        QCOMPARE(m_painel.texto, QStringLiteral(" Não Ident."));
    }
}

void TesteSupervisao::anInterfaceThatDoesNotAnswer100FailsThePingAfterTwoReadings()
{
    OutraInterface outra(7);
    ServidorEmTeste sim1(outra, QStringLiteral("SIM1"));
    QVERIFY(sim1.erro.isEmpty());
    auto supervisao = Nova();

    supervisao->tmSensorTimer();
    sim1.Termina();

    QVERIFY(m_painel.log.contains(QStringLiteral("AutoIdentificação - 3 - OK")));
    QVERIFY(m_painel.log.contains(QStringLiteral("Identificação: 1 - ERRO")));
    QVERIFY(!m_painel.log.contains(QStringLiteral("Identificação: 1.1 - OK")));
    QCOMPARE(m_painel.led, led::Vermelho);
    QCOMPARE(m_painel.texto, QStringLiteral(" Não Ident."));
    QVERIFY(!supervisao->PortaInterface());
    // One request for the scan, one for the ping: the second reading asks nothing.
    QCOMPARE(QString::fromLatin1(outra.eventos).count(Identificar), 2);
}

void TesteSupervisao::aTickDuringTheScanDoesNothingWhileTheEventLoopRuns()
{
    Gravador mudo;
    ServidorEmTeste sim1(mudo, QStringLiteral("SIM1"));
    QVERIFY(sim1.erro.isEmpty());
    auto supervisao = Nova();
    bool disparou = false;
    bool varrendo = false;
    qsizetype linhasAntes = -1;
    qsizetype linhasDepois = -2;
    QTimer::singleShot(50, [&] {
        disparou = true;
        varrendo = supervisao->AutoIdentificacaoAtiva();
        linhasAntes = m_painel.log.size();
        supervisao->tmSensorTimer();
        linhasDepois = m_painel.log.size();
    });

    supervisao->tmSensorTimer();

    QVERIFY(disparou);
    QVERIFY(varrendo);
    QCOMPARE(linhasDepois, linhasAntes);
}

QTEST_GUILESS_MAIN(TesteSupervisao)
#include "test_supervisao.moc"
