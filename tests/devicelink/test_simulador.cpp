// End to end: the simulator program on a registered simulated port, driven
// through the serial class and the main program's protocol revision.

#include "TiposFuncoes.h"
#include "untProtocolo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Contagem {
    int amostras = 0;
    int rejeitados = 0;
    int foraDeSequencia = 0;
    bool parou = false;
};

} // namespace

class TesteSimulador : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void streamsTenSecondsAt600HzWithoutLossAndStopsWhenDtrDrops();
    void streamFaultsSwitchedMidRunAreSkippedOrReported_data();
    void streamFaultsSwitchedMidRunAreSkippedOrReported();
    void requestFaultsGiveTheirProtocolErrors_data();
    void requestFaultsGiveTheirProtocolErrors();
    void anUnknownOptionShowsTheUsageAndFails();

private:
    QString Linha(int ms = 5000);
    void Comanda(const QString &linha);
    void AbreEConfigura(std::uint8_t modo);
    // Reads frames for `ms` milliseconds; samples must carry raw = sequence.
    void LeFluxo(int ms, Contagem &contagem, std::uint32_t &esperado, bool ateParar = false);

    QTemporaryDir m_pasta;
    QProcess m_simulador;
    TPorta m_porta;
};

QString TesteSimulador::Linha(int ms)
{
    QElapsedTimer relogio;
    relogio.start();
    while (!m_simulador.canReadLine() && relogio.elapsed() < ms)
        m_simulador.waitForReadyRead(50);
    return QString::fromUtf8(m_simulador.readLine()).trimmed();
}

void TesteSimulador::Comanda(const QString &linha)
{
    m_simulador.write((linha + QLatin1Char('\n')).toUtf8());
    QCOMPARE(Linha(), QStringLiteral("ok ") + linha);
}

void TesteSimulador::initTestCase()
{
    QVERIFY(m_pasta.isValid());
    qputenv("VYRAX_PORTAS_DIR", m_pasta.path().toLocal8Bit());
    m_simulador.setProcessChannelMode(QProcess::SeparateChannels);
    m_simulador.start(QStringLiteral(SIMULADOR),
                      {QStringLiteral("--porta"), QStringLiteral("sim1"), QStringLiteral("--perfil"), QStringLiteral("sequencia"),
                       QStringLiteral("--log"), m_pasta.filePath(QStringLiteral("fio.log"))});
    QVERIFY(m_simulador.waitForStarted());
    QVERIFY(Linha().startsWith(QStringLiteral("porta SIM1 ")));
    QVERIFY(ListaPortasSeriais().split(QLatin1Char(',')).contains(QStringLiteral("SIM1")));
}

void TesteSimulador::cleanupTestCase()
{
    FechaPorta(m_porta);
    m_simulador.write("sair\n");
    QVERIFY(m_simulador.waitForFinished(5000));
    QCOMPARE(m_simulador.exitCode(), 0);
    QVERIFY(!QFile::exists(m_pasta.filePath(QStringLiteral("SIM1"))));
}

void TesteSimulador::AbreEConfigura(std::uint8_t modo)
{
    if (!m_porta)
        QVERIFY(AbrePorta(m_porta, QStringLiteral("SIM1"), 115200, 8, 'n', 2, false, false, 8192));
    m_porta->SetDTR(true);
    EnviaComando(m_porta, ComandoParar);
    QThread::msleep(50);
    LimpaBuffers(m_porta);
    TQuadro quadro{};
    QVERIFY(EnviaComando(m_porta, ComandoIdentificar));
    QVERIFY(RecebeQuadro(m_porta, quadro, FuncaoIdentificar, 1000));
    QCOMPARE(quadro[PosDados], std::uint8_t(100));
    QVERIFY(EnviaQuadro(m_porta, quadro, MontaConfiguracao(quadro, 600, modo)));
    QVERIFY(RecebeQuadro(m_porta, quadro, FuncaoConfigurar, 1000));
}

void TesteSimulador::LeFluxo(int ms, Contagem &contagem, std::uint32_t &esperado, bool ateParar)
{
    QElapsedTimer relogio;
    relogio.start();
    while (ateParar ? !contagem.parou && relogio.elapsed() < ms : relogio.elapsed() < ms) {
        TQuadro quadro{};
        if (!RecebeQuadro(m_porta, quadro, 0, 50)) {
            if (m_porta->LastError() == 0)
                ++contagem.rejeitados;
            continue;
        }
        if (quadro[PosFuncao] == FuncaoParar) {
            contagem.parou = true;
            continue;
        }
        if (quadro[PosFuncao] != FuncaoLer)
            continue;
        const std::uint32_t bruto = ValorAmostra(quadro.data());
        if (bruto < esperado)
            ++contagem.foraDeSequencia;
        esperado = bruto + 1;
        ++contagem.amostras;
    }
}

void TesteSimulador::streamsTenSecondsAt600HzWithoutLossAndStopsWhenDtrDrops()
{
    AbreEConfigura(ModoAutomatico | ModoSemZerar);
    QVERIFY(EnviaComando(m_porta, ComandoIniciar));
    TQuadro quadro{};
    QVERIFY(RecebeQuadro(m_porta, quadro, FuncaoIniciar, 2000));
    QElapsedTimer relogio;
    relogio.start();

    Contagem contagem;
    std::uint32_t esperado = 0;
    LeFluxo(10000, contagem, esperado);
    const qint64 decorridoMs = relogio.elapsed();
    m_porta->SetDTR(false);
    QCOMPARE(m_porta->LastError(), 0);
    LeFluxo(2000, contagem, esperado, true);

    QVERIFY(contagem.parou);
    QCOMPARE(contagem.rejeitados, 0);
    QCOMPARE(contagem.foraDeSequencia, 0);
    // Every sample since the start, none skipped: the sequence has no gap.
    QCOMPARE(std::uint32_t(contagem.amostras), esperado);
    const double previstas = decorridoMs * 0.6;
    QVERIFY2(std::abs(contagem.amostras - previstas) < previstas * 0.05,
             qPrintable(QStringLiteral("%1 amostras em %2 ms").arg(contagem.amostras).arg(decorridoMs)));

    QFile registro(m_pasta.filePath(QStringLiteral("fio.log")));
    QVERIFY(registro.open(QIODevice::ReadOnly));
    const QByteArray fio = registro.readAll();
    QVERIFY(fio.contains("RX 0a c0 d0 01 00 6f 0f"));
    QVERIFY(fio.contains("RX 0a c0 d0 02 06 01 00 00 02 58 03 0a 0f"));
    QVERIFY(fio.contains("RX 0a c0 d0 03 00 6d 0f"));
    QVERIFY(fio.contains("RX DTR 0"));
}

void TesteSimulador::streamFaultsSwitchedMidRunAreSkippedOrReported_data()
{
    QTest::addColumn<QString>("falha");
    QTest::addColumn<bool>("rejeita");
    QTest::addColumn<bool>("perde");
    QTest::newRow("garbage between frames is skipped") << QStringLiteral("lixo 2") << false << false;
    QTest::newRow("damaged checksums are rejected") << QStringLiteral("checksum 3") << true << true;
    QTest::newRow("dropped frames leave gaps") << QStringLiteral("perda 4") << false << true;
}

void TesteSimulador::streamFaultsSwitchedMidRunAreSkippedOrReported()
{
    QFETCH(QString, falha);
    QFETCH(bool, rejeita);
    QFETCH(bool, perde);
    AbreEConfigura(ModoAutomatico | ModoSemZerar);
    QVERIFY(EnviaComando(m_porta, ComandoIniciar));
    TQuadro quadro{};
    QVERIFY(RecebeQuadro(m_porta, quadro, FuncaoIniciar, 2000));

    Contagem limpo;
    std::uint32_t esperado = 0;
    LeFluxo(300, limpo, esperado);
    Comanda(falha);
    Contagem comFalha;
    const std::uint32_t inicio = esperado;
    LeFluxo(700, comFalha, esperado);
    Comanda(falha.section(QLatin1Char(' '), 0, 0) + QStringLiteral(" 0"));
    m_porta->SetDTR(false);
    LeFluxo(2000, comFalha, esperado, true);

    QCOMPARE(limpo.rejeitados, 0);
    QCOMPARE(comFalha.foraDeSequencia, 0);
    QVERIFY(comFalha.parou);
    QCOMPARE(comFalha.rejeitados > 0, rejeita);
    QCOMPARE(std::uint32_t(comFalha.amostras) < esperado - inicio, perde);
}

void TesteSimulador::requestFaultsGiveTheirProtocolErrors_data()
{
    QTest::addColumn<QString>("falha");
    QTest::addColumn<int>("erro");
    for (int codigo = 2; codigo <= 7; ++codigo)
        QTest::addRow("device error %d", codigo) << QStringLiteral("erro %1").arg(codigo) << codigo;
    QTest::newRow("unplugged") << QStringLiteral("desliga") << ErroTimeout;
}

void TesteSimulador::requestFaultsGiveTheirProtocolErrors()
{
    QFETCH(QString, falha);
    QFETCH(int, erro);
    AbreEConfigura(ModoSemZerar);
    Comanda(falha);
    TQuadro quadro{};
    int obtido = 99;
    QVERIFY(EnviaComando(m_porta, ComandoIdentificar));
    QVERIFY(!RecebeQuadro(m_porta, quadro, FuncaoIdentificar, 300, &obtido));
    QCOMPARE(obtido, erro);
    Comanda(falha.startsWith(QStringLiteral("erro")) ? QStringLiteral("erro 0") : QStringLiteral("liga"));
    QVERIFY(EnviaComando(m_porta, ComandoIdentificar));
    QVERIFY(RecebeQuadro(m_porta, quadro, FuncaoIdentificar, 1000, &obtido));
    QCOMPARE(obtido, ErroNenhum);
}

void TesteSimulador::anUnknownOptionShowsTheUsageAndFails()
{
    QProcess errado;
    errado.start(QStringLiteral(SIMULADOR), {QStringLiteral("--nao-existe")});
    QVERIFY(errado.waitForFinished(5000));
    QVERIFY(errado.exitCode() != 0);
    QVERIFY(errado.readAllStandardError().contains("--porta"));
}

QTEST_GUILESS_MAIN(TesteSimulador)
#include "test_simulador.moc"
