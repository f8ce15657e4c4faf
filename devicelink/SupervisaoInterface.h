#pragma once
// Finding the acquisition interface and keeping the link to it.
//
// A supervision tick lists the serial ports, scans them from the last to the
// first for a device that answers the identify request when the interface is
// not identified, and otherwise pings it on the open PortaInterface. What the
// main window shows of it (LED, port text, log, tick interval, PortaCOM)
// goes through PainelSupervisao, so the algorithm runs without a window.
//
// The pauses between requests keep the event loop running (user input
// excluded) instead of sleeping: the window repaints and its clock goes on.
// Re-entry is refused while a tick or a scan runs.

#include "untProtocolo.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// Sensor LED states.
namespace led {
constexpr int Verde = 1;
constexpr int Amarelo = 2;
constexpr int Vermelho = 3;
constexpr int Cinza = 4;
} // namespace led

// The main window as the supervision sees it.
class PainelSupervisao {
public:
    virtual ~PainelSupervisao() = default;
    virtual void AjustaLedSensor(int estado) = 0;
    // The port text and its hint beside the LED, with the LED panel width.
    virtual void MostraPorta(const QString &texto, const QString &dica, int larguraLed) = 0;
    // A line of the communication log; the window keeps it only while the log is on.
    virtual void Loga(const QString &linha) = 0;
    // Lays the tool bar out again after the port text changed.
    virtual void AjustaBarraEspaco() = 0;
    virtual int IntervaloSupervisao() const = 0;
    virtual void DefineIntervaloSupervisao(int ms) = 0;
    virtual QString PortaCOM() const = 0;
    virtual void DefinePortaCOM(const QString &porta) = 0;
};

// Waits `ms` milliseconds with the event loop running (timers, painting,
// sockets), user input held back until the wait ends. Sleeps when there is
// no application object.
void Pausa(int ms);

// Reads an identify reply; it counts only when it is valid and payload byte 0 is 100.
bool RecebeIdentificacao(const TPorta &porta, TQuadro &quadro, std::uint16_t timeoutMs);

class SupervisaoInterface {
public:
    using ListaPortasFn = std::function<QString()>;

    static constexpr int IntervaloIdentificada = 1000;
    static constexpr int IntervaloSemPortas = 3000;
    static constexpr int PassoBusca = 2000;
    static constexpr int IntervaloMaximoBusca = 4100;
    static constexpr int PausaPedidos = 200;
    static constexpr int TimeoutIdentificacao = 1000;
    static constexpr int TimeoutReconexao = 500;

    // `listaPortas` gives the comma text of the ports (ListaPortasSeriais by default).
    explicit SupervisaoInterface(PainelSupervisao &painel, ListaPortasFn listaPortas = ListaPortasSeriais);
    ~SupervisaoInterface();
    SupervisaoInterface(const SupervisaoInterface &) = delete;
    SupervisaoInterface &operator=(const SupervisaoInterface &) = delete;

    // One supervision tick.
    void tmSensorTimer();
    // The scan over ListaPortas, last to first, until one port answers.
    void AutoIdentifica();

    // Before the communication window: stop request, then the port is closed.
    void LiberaPorta();
    // After it: opens PortaCOM again and identifies with a short wait.
    void Reidentifica();
    // Closes PortaInterface with the full closing sequence.
    void FechaPorta();
    // Reopens PortaCOM at 115200 baud, purged, without identifying.
    void ReabrePorta();

    TPorta &PortaInterface() { return m_porta; }
    TQuadro &QuadroInterface() { return m_quadro; }
    std::uint8_t InterfaceIdentificada() const { return m_interfaceIdentificada; }
    std::uint8_t FalhasIdentificacao() const { return m_falhas; }
    bool AutoIdentificacaoAtiva() const { return m_autoIdentificacaoAtiva; }
    const QStringList &ListaPortas() const { return m_listaPortas; }
    std::uint8_t NumeroPortas() const { return m_numeroPortas; }

private:
    void Ping(bool &resultado);
    void MostraEstadoPorta();

    PainelSupervisao &m_painel;
    ListaPortasFn m_listaPortasFn;
    TPorta m_porta;
    TQuadro m_quadro{};
    QStringList m_listaPortas;
    std::uint8_t m_numeroPortas = 0;
    std::uint8_t m_interfaceIdentificada = 0;
    std::uint8_t m_falhas = 0;
    bool m_autoIdentificacaoAtiva = false;
    bool m_tickAtivo = false;
};
