#pragma once
// The interface frame protocol, in the two revisions the programs use.
//
// Frame: 0A C0 D0 function L payload(L) checksum 0F, L+7 bytes. The checksum
// is the two's complement of the 8-bit sum of bytes 1 .. 4+L, so a frame is
// valid when bytes 1 .. 5+L add up to 0.
//
// Main program revision: the free functions below (AbrePorta, RecebeQuadro
// ...), frame buffer TQuadro (105 bytes). Tool revision: namespace
// ferramenta, frame buffer TQuadroCurto (15 bytes).
//
// ErroProtocolo. The receivers report the code of the first check that
// failed through their last parameter, `int *ErroProtocolo` (may be null:
// the main program only looks at the true/false result). It is -1 (none)
// after a success. There is no shared global: each caller keeps its own
// `int ErroProtocolo` and TextoErroProtocolo() gives the text the tool shows.
//
// Port objects live in a TPorta from AbrePorta to FechaPorta; an empty TPorta
// is a closed port and every operation on it returns false.

#include "BlockSerial.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

using TQuadro = std::array<std::uint8_t, 105>;
using TQuadroCurto = std::array<std::uint8_t, 15>;
using TPorta = std::unique_ptr<TBlockSerial>;

// ---- Frame layout ---------------------------------------------------------

constexpr std::uint8_t InicioQuadro = 0x0A;
constexpr std::uint8_t FimQuadro = 0x0F;
constexpr std::uint8_t Endereco1 = 0xC0;
constexpr std::uint8_t Endereco2 = 0xD0;
constexpr int PosFuncao = 3;
constexpr int PosTamanho = 4;
constexpr int PosDados = 5;
constexpr int TamanhoMoldura = 7; // a frame without payload

constexpr std::uint8_t FuncaoIdentificar = 0x01;
constexpr std::uint8_t FuncaoConfigurar = 0x02;
constexpr std::uint8_t FuncaoIniciar = 0x03;
constexpr std::uint8_t FuncaoLer = 0x04;
constexpr std::uint8_t FuncaoReler = 0x05;
constexpr std::uint8_t FuncaoParar = 0x06;
// Function bytes from here up are device error replies; payload[0] is the code.
constexpr std::uint8_t PrimeiraFuncaoErro = 0xF1;

// Configure MODE bits.
constexpr std::uint8_t ModoAutomatico = 0x01; // stream after "start"; else one sample per "read"
constexpr std::uint8_t ModoSemZerar = 0x02;   // clear: the interface zeroes
constexpr int TamanhoConfiguracao = 13;

// The fixed requests, sent whole.
inline constexpr std::string_view ComandoIdentificar{"\x0A\xC0\xD0\x01\x00\x6F\x0F", 7};
inline constexpr std::string_view ComandoIniciar{"\x0A\xC0\xD0\x03\x00\x6D\x0F", 7};
inline constexpr std::string_view ComandoLer{"\x0A\xC0\xD0\x04\x00\x6C\x0F", 7};
inline constexpr std::string_view ComandoReler{"\x0A\xC0\xD0\x05\x00\x6B\x0F", 7};
inline constexpr std::string_view ComandoParar{"\x0A\xC0\xD0\x06\x00\x6A\x0F", 7};

// Position-sensor ("TP") requests: 54 50 A1 01 00 XX S, S the plain 8-bit
// sum of bytes 1..5. The main program sends PosicaoFechar when it closes the
// interface port.
inline constexpr std::string_view PosicaoAbrir{"\x54\x50\xA1\x01\x00\x01\xF3", 7};
inline constexpr std::string_view PosicaoStatus{"\x54\x50\xA1\x01\x00\x02\xF4", 7};
inline constexpr std::string_view PosicaoFechar{"\x54\x50\xA1\x01\x00\x03\xF5", 7};
inline constexpr std::string_view PosicaoRepetir{"\x54\x50\xA1\x01\x00\x04\xF6", 7};
constexpr std::uint8_t InicioPosicao1 = 0x54; // 'T'
constexpr std::uint8_t InicioPosicao2 = 0x50; // 'P'
constexpr int TamanhoPedidoPosicao = 7;
constexpr int TamanhoRespostaPosicao = 22;
// Plain 8-bit sum of bytes 1 .. size-2 (the last byte holds it).
std::uint8_t SomaPosicao(std::span<const std::uint8_t> quadro);

// ---- Protocol errors ------------------------------------------------------

constexpr int ErroNenhum = -1;
constexpr int ErroChecksum = 0;
constexpr int ErroTimeout = 1;
constexpr int ErroSemDispositivo = 2;
constexpr int ErroEnderecoInvalido = 3;
constexpr int ErroFalhaDispositivo = 4;
constexpr int ErroConfiguracao = 5;
constexpr int ErroFuncaoInvalida = 6;
constexpr int ErroDadosInvalidos = 7;
constexpr int ErroInicioAusente = 8;
constexpr int ErroFimAusente = 9;
// "00 - Erro de Checksum" ...; "   - Nenhum" for -1; a code the table lacks
// (a device may send anything) gets its number and no text.
QString TextoErroProtocolo(int codigo);

// ---- Frames (both buffers) ------------------------------------------------

// Checksum of the frame its own length byte describes, from the bytes the
// buffer holds (a length byte pointing past the buffer sums what is there).
std::uint8_t ChecksumDe(std::span<const std::uint8_t> quadro);
// "0a c0 d0 ...": lower-case pairs separated by single spaces.
QString HexBytes(std::span<const std::uint8_t> bytes);
// "%2.2x " per byte for the first L+7 bytes (at most the buffer).
QString HexDe(std::span<const std::uint8_t> quadro);
// Writes 0A C0 D0 function L payload checksum 0F; returns the frame length,
// 0 (buffer untouched) when the payload does not fit.
int MontaQuadroEm(std::span<std::uint8_t> quadro, std::uint8_t funcao, std::span<const std::uint8_t> dados);

template <std::size_t N>
std::uint8_t CalculaChecksum(const std::array<std::uint8_t, N> &quadro) { return ChecksumDe(quadro); }
template <std::size_t N>
QString QuadroHex(const std::array<std::uint8_t, N> &quadro) { return HexDe(quadro); }
template <std::size_t N>
int MontaQuadro(std::array<std::uint8_t, N> &quadro, std::uint8_t funcao, std::span<const std::uint8_t> dados)
{
    return MontaQuadroEm(quadro, funcao, dados);
}

// The 13-byte configure request: payload 01 00 00, frequency (Hz, big-endian)
// and MODE. Returns 13.
template <std::size_t N>
int MontaConfiguracao(std::array<std::uint8_t, N> &quadro, std::uint16_t frequenciaHz, std::uint8_t modo)
{
    const std::uint8_t dados[] = {0x01, 0x00, 0x00, std::uint8_t(frequenciaHz >> 8), std::uint8_t(frequenciaHz & 0xFF), modo};
    return MontaQuadroEm(quadro, FuncaoConfigurar, dados);
}

// Sampling frequencies the interface knows, in Hz.
inline constexpr std::array<int, 7> FrequenciasAmostragem{50, 100, 150, 200, 300, 400, 600};

// ---- Main program revision ------------------------------------------------

// Opens `porta` on `nomePorta` (the previous object, if any, is released
// first). On failure `porta` is left empty. Receive buffer at least 8192.
bool AbrePorta(TPorta &porta, const QString &nomePorta, int baud, int dataBits, char parity, int stopBits,
               bool softFlow, bool hardFlow, int recvBufferSize);
// AbrePorta with the interface's line: 115200 baud, 8 data bits, no parity,
// 2 stop bits, no flow control.
bool AbrePortaInterface(TPorta &porta, const QString &nomePorta);
// Lowers DTR, sends stop then PosicaoFechar, waits 300 ms, purges, releases.
// Nothing happens to an empty port. Always true; `porta` ends empty.
bool FechaPorta(TPorta &porta);
bool EnviaComando(const TPorta &porta, std::string_view bytes);
bool EnviaQuadro(const TPorta &porta, const TQuadro &quadro, int quantidade);
// Reads one frame (noise before 0x0A is skipped) and validates it;
// funcaoEsperada 0 accepts any well-formed frame, device errors included.
bool RecebeQuadro(const TPorta &porta, TQuadro &quadro, std::uint8_t funcaoEsperada, std::uint16_t timeoutMs,
                  int *ErroProtocolo = nullptr);
// Comma text of the machine's serial ports: devices with a driver under
// /sys/class/tty (ttyS with a UART behind it, ttyUSB, ttyACM ...), then the
// registered simulated ports.
QString ListaPortasSeriais();
// Same, from an explicit sysfs tty folder and port folder (tests).
QStringList ListaPortasDe(const QString &pastaClasseTty, const QString &pastaPortasSimuladas);
bool TestaPorta(const QString &nomePorta);
bool LimpaBuffers(const TPorta &porta);
bool LimpaQuadro(TQuadro &quadro);

// ---- Tool revision --------------------------------------------------------

namespace ferramenta {

// Receive buffer at least 4096; no purge. On failure `porta` is left empty.
bool AbrePorta(TPorta &porta, const QString &nomePorta, int baud, int dataBits, char parity, int stopBits,
               bool softFlow, bool hardFlow, int recvBufferSize);
// Purges and releases; no stop request, no DTR change.
bool FechaPorta(TPorta &porta);
bool EnviaComando(const TPorta &porta, std::string_view bytes);
bool EnviaQuadro(const TPorta &porta, const TQuadroCurto &quadro, int quantidade);
// Reads exactly `tamanho` bytes (at most the buffer; any excess is read and
// dropped) in one call and validates them; see the codes above.
bool RecebeQuadro(const TPorta &porta, TQuadroCurto &quadro, int tamanho, std::uint16_t timeoutMs,
                  std::uint8_t funcaoEsperada, int *ErroProtocolo = nullptr);

} // namespace ferramenta
