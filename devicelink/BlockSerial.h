#pragma once
// TBlockSerial: the serial port of both programs.
//
// Two transports behind one interface:
//  - a terminal device (a real port such as /dev/ttyUSB0, or a
//    pseudo-terminal) over termios and poll();
//  - a simulated port registered by name in the port folder (see
//    EnlaceSimulado.h), a Unix socket whose messages carry the data stream
//    and the DTR line.
// Connect() takes a path ("/dev/pts/3"), a device name ("ttyUSB0", looked up
// under /dev) or the name of a registered simulated port ("SIM1").
//
// Nothing throws. Every operation starts by clearing LastError() and leaves
// the error of that call in it: an errno value for a system failure, or one
// of the codes below. Reads never wait longer than their time-out; a port
// that vanishes (cable pulled, simulator ended) reports ErroPortaPerdida at
// once and closes, so InstanceActive() turns false.
//
// Received bytes go through a buffer of our own, so RecvByte() normally
// costs no system call. SizeRecvBuffer bounds how much is read ahead.

#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

#include "EnlaceSimulado.h"

class TBlockSerial {
public:
    static constexpr int ErroTimeout = 10001;
    static constexpr int ErroPortaFechada = 10002;
    static constexpr int ErroPortaOcupada = 10003;
    static constexpr int ErroPortaPerdida = 10004;
    static constexpr int ErroParametro = 10005;

    TBlockSerial() = default;
    ~TBlockSerial();
    TBlockSerial(const TBlockSerial &) = delete;
    TBlockSerial &operator=(const TBlockSerial &) = delete;

    void Connect(const QString &nome);
    // stopBits: 0 = one, 1 = one and a half, 2 = two. parity: 'N', 'O', 'E',
    // 'M' or 'S' in either case.
    void Config(int baud, int dataBits, char parity, int stopBits, bool softFlow, bool hardFlow);
    void SetSizeRecvBuffer(int bytes);
    int SizeRecvBuffer() const { return m_capacidade; }
    // Discards everything received and not yet read, and what waits to be sent.
    void Purge();
    void SendString(std::string_view dados);
    void SendBuffer(const void *dados, int tamanho);
    // One byte, waiting at most timeoutMs; 0 with ErroTimeout when none came.
    std::uint8_t RecvByte(int timeoutMs);
    // Up to `tamanho` bytes within timeoutMs in all; returns how many arrived
    // (ErroTimeout when fewer).
    int RecvBufferEx(void *destino, int tamanho, int timeoutMs);
    void SetDTR(bool alto);
    bool DTR() const { return m_dtr; }
    // Bytes ready to be read now, without waiting. Both names are in use by
    // the callers; they count the same thing.
    int WaitingData();
    int WaitingDataEx() { return WaitingData(); }
    int LastError() const { return m_ultimoErro; }
    QString LastErrorDesc() const;
    bool InstanceActive() const { return m_fd >= 0; }
    void CloseSocket();
    // What Connect() opened: a device path or a socket path.
    QString Device() const { return m_dispositivo; }
    bool Simulada() const { return m_transporte == Transporte::Soquete; }

private:
    enum class Transporte { Nenhum, Terminal, Soquete };

    bool Aberta();
    bool ConectaTerminal(const QString &caminho);
    bool ConectaSoquete(const QString &caminho);
    bool AguardaSaudacao();
    // Reads what the system holds, waiting at most timeoutMs for the first
    // byte (0: no wait). False on time-out or failure (LastError set).
    bool Preenche(int timeoutMs);
    bool LeSistema();
    void Acolhe(std::span<const std::uint8_t> bytes);
    bool Escreve(const std::uint8_t *dados, std::size_t tamanho);
    void EnviaMensagem(enlace::Tipo tipo, std::span<const std::uint8_t> carga);
    void Perdida();
    std::size_t Disponiveis() const { return m_recebidos.size() - m_inicio; }

    int m_fd = -1;
    Transporte m_transporte = Transporte::Nenhum;
    QString m_dispositivo;
    int m_ultimoErro = 0;
    int m_capacidade = 4096;
    bool m_dtr = true;
    int m_saudacao = -1; // simulated ports: the device's greeting, -1 until it came
    std::vector<std::uint8_t> m_recebidos;
    std::size_t m_inicio = 0;
    enlace::Decodificador m_decodificador;
};
