// Frame protocol of both revisions, over a real pseudo-terminal.

#include "Auxiliares.h"
#include "TiposFuncoes.h"
#include "untProtocolo.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

template <std::size_t N>
std::array<std::uint8_t, N> Quadro(const char *hex)
{
    std::array<std::uint8_t, N> quadro{};
    const QByteArray bytes = Bytes(hex);
    std::copy(bytes.begin(), bytes.begin() + std::min<qsizetype>(bytes.size(), N), quadro.begin());
    return quadro;
}

QByteArray Texto(std::string_view bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

TEST(Checksum, IsTheNegatedSumOfAddressFunctionLengthAndPayload)
{
    const struct { const char *quadro; std::uint8_t esperado; } casos[] = {
        {"0A C0 D0 01 00", 0x6F},
        {"0A C0 D0 03 00", 0x6D},
        {"0A C0 D0 06 00", 0x6A},
        {"0A C0 D0 F2 01 05", 0x78},
        {"0A C0 D0 02 06 01 00 00 01 2C 03", 0x37},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(CalculaChecksum(Quadro<105>(caso.quadro)), caso.esperado) << caso.quadro;
}

TEST(Checksum, FixedRequestsAreTheBytesOnTheWire)
{
    const struct { std::string_view comando; const char *bytes; } casos[] = {
        {ComandoIdentificar, "0A C0 D0 01 00 6F 0F"}, {ComandoIniciar, "0A C0 D0 03 00 6D 0F"},
        {ComandoLer, "0A C0 D0 04 00 6C 0F"},         {ComandoReler, "0A C0 D0 05 00 6B 0F"},
        {ComandoParar, "0A C0 D0 06 00 6A 0F"},       {PosicaoAbrir, "54 50 A1 01 00 01 F3"},
        {PosicaoStatus, "54 50 A1 01 00 02 F4"},      {PosicaoFechar, "54 50 A1 01 00 03 F5"},
        {PosicaoRepetir, "54 50 A1 01 00 04 F6"},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(Texto(caso.comando), Bytes(caso.bytes)) << caso.bytes;
    for (const auto &caso : std::span(casos).subspan(5)) {
        const QByteArray bytes = Bytes(caso.bytes);
        EXPECT_EQ(SomaPosicao(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), 7)), std::uint8_t(bytes[6]));
    }
}

TEST(Configuracao, EveryFrequencyAndModeGivesTheThirteenBytes)
{
    const struct { int hz; const char *bytes; } frequencias[] = {
        {50, "00 32"}, {100, "00 64"}, {150, "00 96"}, {200, "00 C8"}, {300, "01 2C"}, {400, "01 90"}, {600, "02 58"}};
    for (const auto &frequencia : frequencias) {
        for (std::uint8_t modo = 0; modo <= 3; ++modo) {
            TQuadro quadro{};
            ASSERT_EQ(MontaConfiguracao(quadro, std::uint16_t(frequencia.hz), modo), TamanhoConfiguracao);
            const QByteArray inicio = Bytes("0A C0 D0 02 06 01 00 00") + Bytes(frequencia.bytes) + char(modo);
            const QByteArray obtido(reinterpret_cast<const char *>(quadro.data()), TamanhoConfiguracao);
            EXPECT_EQ(obtido.left(11), inicio) << frequencia.hz << " Hz modo " << int(modo);
            std::uint8_t soma = 0;
            for (int i = 1; i <= 11; ++i)
                soma = std::uint8_t(soma + quadro[std::size_t(i)]);
            EXPECT_EQ(soma, 0) << frequencia.hz << " Hz modo " << int(modo);
            EXPECT_EQ(quadro[12], FimQuadro);
        }
    }
}

TEST(Configuracao, EdgeCasesMatchTheKnownFrames)
{
    TQuadro quadro{};
    MontaConfiguracao(quadro, 300, 3);
    EXPECT_EQ(QuadroHex(quadro), QStringLiteral("0a c0 d0 02 06 01 00 00 01 2c 03 37 0f "));
    MontaConfiguracao(quadro, 50, 1);
    EXPECT_EQ(QuadroHex(quadro), QStringLiteral("0a c0 d0 02 06 01 00 00 00 32 01 34 0f "));
}

TEST(Amostra, RawReadingIsTheBigEndianPayload)
{
    const struct { const char *quadro; std::uint32_t bruto; } casos[] = {
        {"0A C0 D0 04 03 00 00 01 00 0F", 1},
        {"0A C0 D0 04 03 FF FF FF 00 0F", 16777215},
        {"0A C0 D0 04 03 01 02 03 00 0F", 0x010203},
    };
    for (const auto &caso : casos)
        EXPECT_EQ(ValorAmostra(Quadro<105>(caso.quadro).data()), caso.bruto) << caso.quadro;
}

TEST(ErroProtocolo, CodesHaveTheirTexts)
{
    EXPECT_EQ(TextoErroProtocolo(ErroNenhum), QStringLiteral("   - Nenhum"));
    EXPECT_EQ(TextoErroProtocolo(ErroChecksum), QStringLiteral("00 - Erro de Checksum"));
    EXPECT_EQ(TextoErroProtocolo(ErroConfiguracao), QStringLiteral("05 - Falha na configuração do Dispositivo"));
    EXPECT_EQ(TextoErroProtocolo(ErroFimAusente), QStringLiteral("09 - Fim da Mensagem não encontrado"));
    EXPECT_EQ(TextoErroProtocolo(0x20), QStringLiteral("32 - "));
}

// ---- Receivers ------------------------------------------------------------

class Recepcao : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(AbrePorta(porta, pty.Escravo(), 115200, 8, 'n', 2, false, false, 4096)); }
    Pty pty;
    TPorta porta;
};

struct CasoPrincipal {
    const char *nome;
    const char *chegada;
    std::uint8_t funcaoEsperada;
    bool aceito;
    int erro;
};

TEST_F(Recepcao, MainReceiverJudgesEachReply)
{
    const CasoPrincipal casos[] = {
        {"a valid reply", "0A C0 D0 01 01 64 0A 0F", 1, true, ErroNenhum},
        {"noise before the start byte is skipped", "FF 00 55 0A C0 D0 01 01 64 0A 0F", 1, true, ErroNenhum},
        {"a device error with a function expected", "0A C0 D0 F2 01 05 78 0F", 2, false, 5},
        {"a device error with no function expected", "0A C0 D0 F2 01 05 78 0F", 0, true, ErroNenhum},
        {"another function", "0A C0 D0 03 00 6D 0F", 1, false, ErroFuncaoInvalida},
        {"another function, none expected", "0A C0 D0 03 00 6D 0F", 0, true, ErroNenhum},
        {"a damaged checksum", "0A C0 D0 01 01 64 0B 0F", 1, false, ErroChecksum},
        {"a wrong end byte", "0A C0 D0 01 01 64 0A 0E", 1, false, ErroFimAusente},
        {"silence", "", 1, false, ErroTimeout},
        {"only noise", "01 02 03 04", 1, false, ErroTimeout},
        {"a header cut short", "0A C0 D0 04", 0, false, ErroTimeout},
        {"a payload cut short", "0A C0 D0 04 03 00 00", 0, false, ErroChecksum},
    };
    for (const CasoPrincipal &caso : casos) {
        LimpaBuffers(porta);
        pty.Escreve(Bytes(caso.chegada));
        TQuadro quadro{};
        int erro = 99;
        EXPECT_EQ(RecebeQuadro(porta, quadro, caso.funcaoEsperada, 100, &erro), caso.aceito) << caso.nome;
        EXPECT_EQ(erro, caso.erro) << caso.nome;
    }
}

TEST_F(Recepcao, MainReceiverDropsAnOverlongFrameAndStaysInStep)
{
    struct {
        TQuadro quadro{};
        std::array<std::uint8_t, 64> guarda{};
    } memoria;
    pty.Escreve(Bytes("0A C0 D0 04 FF") + QByteArray(257, '\x0A') + Bytes("0A C0 D0 04 03 00 00 01 68 0F"));
    int erro = 99;
    EXPECT_FALSE(RecebeQuadro(porta, memoria.quadro, 0, 100, &erro));
    EXPECT_EQ(erro, ErroChecksum);
    EXPECT_EQ(memoria.guarda, (std::array<std::uint8_t, 64>{}));
    EXPECT_TRUE(RecebeQuadro(porta, memoria.quadro, FuncaoLer, 100, &erro));
    EXPECT_EQ(ValorAmostra(memoria.quadro.data()), 1u);
}

struct CasoFerramenta {
    const char *nome;
    const char *chegada;
    int tamanho;
    std::uint8_t funcaoEsperada;
    bool aceito;
    int erro;
};

TEST_F(Recepcao, ToolReceiverJudgesEachReply)
{
    const CasoFerramenta casos[] = {
        {"a valid reply", "0A C0 D0 02 00 6E 0F", 7, 2, true, ErroNenhum},
        {"noise before the start byte fails", "55 0A C0 D0 02 00 6E 0F", 8, 2, false, ErroChecksum},
        {"a device error with a function expected", "0A C0 D0 F2 01 05 78 0F", 8, 2, false, 5},
        {"a device error with no function expected", "0A C0 D0 F2 01 05 78 0F", 8, 0, false, 5},
        {"another function", "0A C0 D0 03 00 6D 0F", 7, 2, false, ErroFuncaoInvalida},
        {"another function, none expected", "0A C0 D0 03 00 6D 0F", 7, 0, true, ErroNenhum},
        {"a wrong start byte with a matching checksum", "0B C0 D0 02 00 6E 0F", 7, 2, false, ErroInicioAusente},
        {"a wrong end byte", "0A C0 D0 02 00 6E 0E", 7, 2, false, ErroFimAusente},
        {"silence with a function expected", "", 7, 2, false, ErroTimeout},
        {"silence with none expected", "", 7, 0, false, ErroChecksum},
        {"a length byte past the buffer", "0A C0 D0 04 0C 00 00 00 00 00 00 00 00 00 00", 15, 4, false, ErroChecksum},
        {"more bytes asked than the buffer holds", "0A C0 D0 04 03 00 00 01 68 0F 00 00 00 00 00 00 00 00 00 00", 20, 4, false, ErroChecksum},
    };
    for (const CasoFerramenta &caso : casos) {
        LimpaBuffers(porta);
        pty.Escreve(Bytes(caso.chegada));
        TQuadroCurto quadro{};
        int erro = 99;
        EXPECT_EQ(ferramenta::RecebeQuadro(porta, quadro, caso.tamanho, 100, caso.funcaoEsperada, &erro), caso.aceito) << caso.nome;
        EXPECT_EQ(erro, caso.erro) << caso.nome;
        EXPECT_EQ(porta->WaitingData(), 0) << caso.nome << ": bytes left behind";
    }
}

TEST_F(Recepcao, SendingPutsTheRequestOnTheWire)
{
    EXPECT_TRUE(EnviaComando(porta, ComandoIdentificar));
    TQuadro configuracao{};
    EXPECT_TRUE(EnviaQuadro(porta, configuracao, MontaConfiguracao(configuracao, 600, 3)));
    EXPECT_EQ(pty.Le(64), Texto(ComandoIdentificar) + Bytes("0A C0 D0 02 06 01 00 00 02 58 03 0A 0F"));
}

// ---- Opening and closing --------------------------------------------------

TEST(Fechamento, ClosingANeverOpenedPortDoesNothing)
{
    TPorta porta;
    EXPECT_TRUE(FechaPorta(porta));
    EXPECT_EQ(porta, nullptr);
    EXPECT_FALSE(EnviaComando(porta, ComandoParar));
    EXPECT_FALSE(LimpaBuffers(porta));
}

TEST(Fechamento, ClosingLowersDtrThenSendsStopAndThePositionRequest)
{
    PastaPortasTemporaria pasta;
    Gravador gravador;
    ServidorEmTeste servidor(gravador, QStringLiteral("GRAVA"));
    ASSERT_TRUE(servidor.erro.isEmpty()) << qPrintable(servidor.erro);

    TPorta porta;
    ASSERT_TRUE(AbrePorta(porta, QStringLiteral("GRAVA"), 115200, 8, 'n', 2, false, false, 4096));
    EXPECT_TRUE(FechaPorta(porta));
    EXPECT_EQ(porta, nullptr);
    // Give the server the moment it needs to notice the port closing.
    for (int i = 0; i < 100 && !gravador.eventos.endsWith("DTR0 DTR0 "); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    servidor.Termina();
    EXPECT_EQ(gravador.eventos, QByteArray("DTR1 DTR0 0a c0 d0 06 00 6a 0f 54 50 a1 01 00 03 f5 DTR0 "));
}

TEST(Abertura, AMissingPortFailsAndLeavesNoObject)
{
    PastaPortasTemporaria pasta;
    const QString nomes[] = {QStringLiteral("SIM9"), QStringLiteral("/dev/nao-existe"), QStringLiteral("ttyNaoExiste")};
    for (const QString &nome : nomes) {
        TPorta porta;
        EXPECT_FALSE(AbrePorta(porta, nome, 115200, 8, 'n', 2, false, false, 8192)) << qPrintable(nome);
        EXPECT_EQ(porta, nullptr);
        EXPECT_FALSE(TestaPorta(nome));
    }
}

TEST(Abertura, OpeningRaisesTheReceiveBufferToTheRevisionsMinimum)
{
    Pty pty;
    TPorta principal;
    ASSERT_TRUE(AbrePorta(principal, pty.Escravo(), 115200, 8, 'n', 2, false, false, 4096));
    EXPECT_EQ(principal->SizeRecvBuffer(), 8192);
    FechaPorta(principal);
    TPorta ferramentaPorta;
    ASSERT_TRUE(ferramenta::AbrePorta(ferramentaPorta, pty.Escravo(), 115200, 8, 'n', 0, false, false, 100));
    EXPECT_EQ(ferramentaPorta->SizeRecvBuffer(), 4096);
}

} // namespace
