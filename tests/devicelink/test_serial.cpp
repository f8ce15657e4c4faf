// The serial port class over a pseudo-terminal, and the port list.

#include "Auxiliares.h"
#include "BlockSerial.h"
#include "untProtocolo.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/socket.h>
#include <sys/un.h>

namespace {

class PortaSobrePty : public ::testing::Test {
protected:
    void SetUp() override
    {
        porta.Connect(pty.Escravo());
        ASSERT_EQ(porta.LastError(), 0);
        porta.Config(115200, 8, 'n', 2, false, false);
        ASSERT_EQ(porta.LastError(), 0);
    }
    Pty pty;
    TBlockSerial porta;
};

TEST_F(PortaSobrePty, RecvByteGivesTheBytesInOrderThenTimesOut)
{
    pty.Escreve(Bytes("0A C0 D0"));
    for (const std::uint8_t esperado : {0x0A, 0xC0, 0xD0}) {
        EXPECT_EQ(porta.RecvByte(100), esperado);
        EXPECT_EQ(porta.LastError(), 0);
    }
    EXPECT_EQ(porta.RecvByte(20), 0);
    EXPECT_EQ(porta.LastError(), TBlockSerial::ErroTimeout);
    EXPECT_TRUE(porta.InstanceActive());
}

TEST_F(PortaSobrePty, RecvBufferExReportsAShortRead)
{
    pty.Escreve(Bytes("01 02 03"));
    std::array<std::uint8_t, 8> destino{};
    EXPECT_EQ(porta.RecvBufferEx(destino.data(), 8, 50), 3);
    EXPECT_EQ(porta.LastError(), TBlockSerial::ErroTimeout);
    EXPECT_EQ(destino[2], 0x03);
}

TEST_F(PortaSobrePty, PurgeDiscardsWhatWaits)
{
    pty.Escreve(Bytes("01 02 03"));
    EXPECT_EQ(porta.RecvByte(100), 0x01);
    EXPECT_GT(porta.WaitingData(), 0);
    porta.Purge();
    EXPECT_EQ(porta.WaitingDataEx(), 0);
}

TEST_F(PortaSobrePty, DtrFailsOnAPseudoTerminalButDataKeepsFlowing)
{
    porta.SetDTR(false);
    EXPECT_NE(porta.LastError(), 0);
    EXPECT_FALSE(porta.LastErrorDesc().isEmpty());
    porta.SendString("\x0A\x0F");
    EXPECT_EQ(porta.LastError(), 0);
    EXPECT_EQ(pty.Le(2), Bytes("0A 0F"));
    pty.Escreve(Bytes("0A"));
    EXPECT_EQ(porta.RecvByte(100), 0x0A);
    EXPECT_EQ(porta.LastError(), 0);
}

TEST_F(PortaSobrePty, APortThatVanishesFailsAtOnceAndCloses)
{
    pty.FechaMestre();
    porta.RecvByte(5000);
    EXPECT_EQ(porta.LastError(), TBlockSerial::ErroPortaPerdida);
    EXPECT_FALSE(porta.InstanceActive());
    porta.SendString("x");
    EXPECT_EQ(porta.LastError(), TBlockSerial::ErroPortaFechada);
}

TEST_F(PortaSobrePty, APortBelongsToOneOpenerAtATime)
{
    TBlockSerial segunda;
    segunda.Connect(pty.Escravo());
    EXPECT_EQ(segunda.LastError(), EBUSY);
    porta.CloseSocket();
    segunda.Connect(pty.Escravo());
    EXPECT_EQ(segunda.LastError(), 0);
}

TEST(Configuracao, BadLineSettingsAreRefused)
{
    Pty pty;
    TBlockSerial porta;
    porta.Connect(pty.Escravo());
    const struct { int baud; int bits; char paridade; int parada; } casos[] = {
        {12345, 8, 'n', 2}, {115200, 9, 'n', 2}, {115200, 8, 'x', 2}, {115200, 8, 'n', 3}};
    for (const auto &caso : casos) {
        porta.Config(caso.baud, caso.bits, caso.paridade, caso.parada, false, false);
        EXPECT_EQ(porta.LastError(), TBlockSerial::ErroParametro) << caso.baud << ' ' << caso.bits << ' ' << caso.paridade;
    }
}

// ---- Port list ------------------------------------------------------------

void CriaTty(const QString &raiz, const QString &nome, bool comDriver, const char *tipo = nullptr)
{
    QDir().mkpath(raiz + QLatin1Char('/') + nome + (comDriver ? QStringLiteral("/device/driver") : QString()));
    if (!tipo)
        return;
    QFile arquivo(raiz + QLatin1Char('/') + nome + QStringLiteral("/type"));
    arquivo.open(QIODevice::WriteOnly);
    arquivo.write(tipo);
}

int SoqueteEmEscuta(const QString &caminho, bool escuta)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un endereco{};
    endereco.sun_family = AF_UNIX;
    std::strncpy(endereco.sun_path, qPrintable(caminho), sizeof endereco.sun_path - 1);
    ::bind(fd, reinterpret_cast<sockaddr *>(&endereco), sizeof endereco);
    if (escuta)
        ::listen(fd, 1);
    return fd;
}

TEST(ListaPortas, DevicesWithADriverThenLiveSimulatedPorts)
{
    QTemporaryDir sys;
    CriaTty(sys.path(), QStringLiteral("tty1"), false);
    CriaTty(sys.path(), QStringLiteral("ttyS0"), true, "0\n");
    CriaTty(sys.path(), QStringLiteral("ttyS1"), true, "4\n");
    CriaTty(sys.path(), QStringLiteral("ttyUSB0"), true);
    CriaTty(sys.path(), QStringLiteral("ttyACM0"), true);

    PastaPortasTemporaria portas;
    const int viva = SoqueteEmEscuta(portas.Caminho() + QStringLiteral("/SIM1"), true);
    const int morta = SoqueteEmEscuta(portas.Caminho() + QStringLiteral("/SIM2"), false);

    EXPECT_EQ(ListaPortasDe(sys.path(), portas.Caminho()),
              QStringList({QStringLiteral("ttyACM0"), QStringLiteral("ttyS1"), QStringLiteral("ttyUSB0"), QStringLiteral("SIM1")}));
    ::close(viva);
    ::close(morta);
}

TEST(ListaPortas, EmptyWithoutAnyPort)
{
    QTemporaryDir sys;
    PastaPortasTemporaria portas;
    EXPECT_TRUE(ListaPortasDe(sys.path(), portas.Caminho()).isEmpty());
}

TEST(ListaPortas, ARunningSimulatorIsListedByItsUpperCaseName)
{
    PastaPortasTemporaria pasta;
    Gravador gravador;
    ServidorEmTeste servidor(gravador, QStringLiteral("sim3"));
    ASSERT_TRUE(servidor.erro.isEmpty()) << qPrintable(servidor.erro);
    EXPECT_TRUE(ListaPortasSeriais().split(QLatin1Char(',')).contains(QStringLiteral("SIM3")));

    TBlockSerial primeira, segunda;
    primeira.Connect(QStringLiteral("sim3"));
    EXPECT_EQ(primeira.LastError(), 0);
    segunda.Connect(QStringLiteral("SIM3"));
    EXPECT_EQ(segunda.LastError(), TBlockSerial::ErroPortaOcupada);
}

} // namespace
