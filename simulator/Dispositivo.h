#pragma once
// A simulated device on the far end of a serial line. The server
// (ServidorSimulado) feeds it the bytes and modem-line changes the host
// sends, asks it when it next has something to do, and carries what it sends
// back. The force interface is one kind; an encoder or a potentiometer
// interface are further kinds behind the same face.

#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class Dispositivo {
public:
    using Relogio = std::chrono::steady_clock;
    using Instante = Relogio::time_point;
    using Saida = std::function<void(std::span<const std::uint8_t>)>;
    using Diario = std::function<void(const QString &)>;

    virtual ~Dispositivo() = default;

    void DefineSaida(Saida saida) { m_saida = std::move(saida); }
    void DefineDiario(Diario diario) { m_diario = std::move(diario); }

    virtual void Recebe(std::span<const std::uint8_t> bytes, Instante agora) = 0;
    virtual void MudaDTR(bool alto, Instante agora) = 0;
    // Does whatever falls due up to `agora` (streamed samples, end of a fault).
    virtual void Avanca(Instante agora) = 0;
    virtual std::optional<Instante> ProximoPrazo() const = 0;
    // One run-time control command ("perda 10"); empty on success, else the
    // reason it was refused.
    virtual QString Comando(const QString &linha, Instante agora) = 0;

protected:
    void Envia(std::span<const std::uint8_t> bytes) const
    {
        if (m_saida)
            m_saida(bytes);
    }
    void Registra(const QString &linha) const
    {
        if (m_diario)
            m_diario(linha);
    }

private:
    Saida m_saida;
    Diario m_diario;
};

// Splits what the host sends into frames (0A ... 0F), position-sensor
// requests (54 50 + 5 bytes) and the garbage between them. A frame left
// incomplete for longer than a character gap is given up, as a device's
// receive timer would.
class SeparadorQuadros {
public:
    enum class Tipo { Quadro, Posicao, Lixo, Incompleto };
    using Tratador = std::function<void(Tipo, std::span<const std::uint8_t>)>;
    static constexpr auto TempoIncompleto = std::chrono::milliseconds(100);

    void Alimenta(std::span<const std::uint8_t> bytes, Dispositivo::Instante agora, const Tratador &trata);
    void Expira(Dispositivo::Instante agora, const Tratador &trata);
    std::optional<Dispositivo::Instante> Prazo() const;

private:
    void Separa(const Tratador &trata);

    std::vector<std::uint8_t> m_pendente;
    Dispositivo::Instante m_ultimo{};
};

