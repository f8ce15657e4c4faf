#pragma once
// Simulated serial ports: a Unix-domain stream socket stands in for the cable.
//
// Registration. A simulated interface listens on a socket named after its
// port (upper case, e.g. "SIM1") in the port folder:
//   $VYRAX_PORTAS_DIR when set, else $XDG_RUNTIME_DIR/vyrax-portas, else
//   /tmp/vyrax-portas-<uid>.
// TBlockSerial::Connect("SIM1") finds the socket there; ListaPortasSeriais()
// lists every socket of the folder that has a process listening on it (a
// socket left behind by a program that died is skipped).
//
// Framing. Both directions carry messages of a 3-byte header followed by the
// payload: kind (1 byte), payload length (16 bits, big-endian).
//   Dados    (0x01): bytes of the serial data stream, in order.
//   Linhas   (0x02): 1 byte of modem lines, bit 0 DTR, bit 1 RTS. The host
//                    sends it when it changes DTR and once after connecting.
//   Saudacao (0x03): 1 byte, sent once by the device when it accepts a
//                    connection: 0 = port free, 1 = port already in use (the
//                    device closes the connection after it).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace enlace {

enum class Tipo : std::uint8_t { Dados = 0x01, Linhas = 0x02, Saudacao = 0x03 };

constexpr std::uint8_t LinhaDTR = 0x01;
constexpr std::uint8_t LinhaRTS = 0x02;
constexpr std::uint8_t PortaLivre = 0;
constexpr std::uint8_t PortaOcupada = 1;
constexpr std::size_t TamanhoCabecalho = 3;
constexpr std::size_t MaiorCarga = 0xFFFF;

// Appends one message (data longer than MaiorCarga is split) to `saida`.
void Codifica(Tipo tipo, std::span<const std::uint8_t> carga, std::vector<std::uint8_t> &saida);

// Splits a received byte stream into messages, across any read boundaries.
class Decodificador {
public:
    using Tratador = std::function<void(Tipo, std::span<const std::uint8_t>)>;
    // Calls `trata` for every message completed by `bytes`. Unknown kinds are
    // passed on too; the receiver ignores what it does not know.
    void Alimenta(std::span<const std::uint8_t> bytes, const Tratador &trata);
    void Reinicia() { m_pendente.clear(); }

private:
    std::vector<std::uint8_t> m_pendente;
};

// Folder of the registered sockets (not created here).
QString PastaPortas();
// Socket path of a simulated port; empty when the name cannot be one.
QString CaminhoPorta(const QString &nome);
// Registered ports that have a listener, upper case, sorted.
QStringList PortasRegistradas(const QString &pasta);

} // namespace enlace
