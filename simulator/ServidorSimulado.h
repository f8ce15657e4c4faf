#pragma once
// Serves a simulated device on a registered simulated port (Unix socket in
// the port folder, one host at a time; see EnlaceSimulado.h) and, when asked,
// on a pseudo-terminal. A pseudo-terminal carries no modem lines, so DTR
// changes reach the device only through the socket.
//
// Control lines (from the program's standard input) go to the device; the
// server answers each with "ok <command>" or "erro: <reason>" so a driving
// program can wait for a change to take effect. "sair" ends the run.

#include "Dispositivo.h"
#include "EnlaceSimulado.h"

#include <QString>
#include <functional>
#include <vector>

class ServidorSimulado {
public:
    using Resposta = std::function<void(const QString &)>;

    explicit ServidorSimulado(Dispositivo &dispositivo);
    ~ServidorSimulado();
    ServidorSimulado(const ServidorSimulado &) = delete;
    ServidorSimulado &operator=(const ServidorSimulado &) = delete;

    // Listens on the port's socket. Empty on success, else the reason.
    QString Registra(const QString &nomePorta);
    QString AbrePty();
    QString CaminhoSoquete() const { return m_caminhoSoquete; }
    QString CaminhoPty() const { return m_caminhoPty; }

    void VigiaControle(int fd, Resposta resposta);
    // Any byte readable on `fd` (a signalfd, say) ends the run.
    void VigiaParada(int fd) { m_fdParada = fd; }
    void Executa();
    // Ends Executa() from another thread.
    void Para();

private:
    void Aceita();
    void FechaCliente(Dispositivo::Instante agora);
    void LeCliente(Dispositivo::Instante agora);
    void LePty(Dispositivo::Instante agora);
    void LeControle(Dispositivo::Instante agora);
    void EnviaAoHost(std::span<const std::uint8_t> bytes);
    void DescarregaCliente();

    Dispositivo &m_dispositivo;
    int m_fdEscuta = -1;
    int m_fdCliente = -1;
    int m_fdPty = -1;
    int m_fdPtyEscravo = -1; // kept open so the master never sees a hang-up
    int m_fdControle = -1;
    int m_fdParada = -1;
    int m_fdEvento = -1;
    bool m_parar = false;
    QString m_caminhoSoquete;
    QString m_caminhoPty;
    Resposta m_resposta;
    std::vector<std::uint8_t> m_filaCliente;
    std::vector<std::uint8_t> m_bufferControle;
    enlace::Decodificador m_decodificador;
};
