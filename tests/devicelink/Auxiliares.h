#pragma once
// Small fixtures of the device-link tests: a pseudo-terminal whose master
// side the test drives, a temporary port folder, and a recording device
// served in-process on a simulated port.

#include "Dispositivo.h"
#include "ServidorSimulado.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

inline QByteArray Bytes(const char *hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

// The master side of a pseudo-terminal; the port under test opens Escravo().
class Pty {
public:
    Pty()
    {
        m_mestre = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(m_mestre);
        ::unlockpt(m_mestre);
        m_escravo = QString::fromLocal8Bit(::ptsname(m_mestre));
    }
    ~Pty() { FechaMestre(); }
    QString Escravo() const { return m_escravo; }
    void Escreve(const QByteArray &bytes) { [[maybe_unused]] auto n = ::write(m_mestre, bytes.constData(), std::size_t(bytes.size())); }
    // Up to `quantos` bytes: what the port wrote in one go may reach the
    // master in pieces, so reading goes on until the line is quiet for 200 ms.
    QByteArray Le(int quantos)
    {
        QByteArray lidos;
        pollfd espera{m_mestre, POLLIN, 0};
        while (lidos.size() < quantos && ::poll(&espera, 1, 200) > 0) {
            char bloco[256];
            const auto n = ::read(m_mestre, bloco, std::min<std::size_t>(sizeof bloco, std::size_t(quantos - lidos.size())));
            if (n <= 0)
                break;
            lidos.append(bloco, qsizetype(n));
        }
        return lidos;
    }
    void FechaMestre()
    {
        if (m_mestre >= 0)
            ::close(m_mestre);
        m_mestre = -1;
    }

private:
    int m_mestre = -1;
    QString m_escravo;
};

// Points VYRAX_PORTAS_DIR at a fresh folder for the test's lifetime.
class PastaPortasTemporaria {
public:
    PastaPortasTemporaria() { ::setenv("VYRAX_PORTAS_DIR", qPrintable(m_pasta.path()), 1); }
    ~PastaPortasTemporaria() { ::unsetenv("VYRAX_PORTAS_DIR"); }
    QString Caminho() const { return m_pasta.path(); }

private:
    QTemporaryDir m_pasta;
};

// A device that only writes down what the host did: data bytes, and DTR
// changes as the marks "DTR0"/"DTR1".
class Gravador : public Dispositivo {
public:
    void Recebe(std::span<const std::uint8_t> bytes, Instante) override
    {
        eventos.append(QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size())).toHex(' ') + ' ');
    }
    void MudaDTR(bool alto, Instante) override { eventos.append(alto ? "DTR1 " : "DTR0 "); }
    void Avanca(Instante) override {}
    std::optional<Instante> ProximoPrazo() const override { return std::nullopt; }
    QString Comando(const QString &, Instante) override { return {}; }

    QByteArray eventos;
};

// Serves a device on a simulated port from a thread of the test.
class ServidorEmTeste {
public:
    ServidorEmTeste(Dispositivo &dispositivo, const QString &porta)
        : m_servidor(dispositivo)
    {
        erro = m_servidor.Registra(porta);
        if (erro.isEmpty())
            m_linha = std::thread([this] { m_servidor.Executa(); });
    }
    ~ServidorEmTeste() { Termina(); }
    // Stops the server; what the device recorded is safe to read afterwards.
    void Termina()
    {
        if (!m_linha.joinable())
            return;
        m_servidor.Para();
        m_linha.join();
    }

    QString erro;

private:
    ServidorSimulado m_servidor;
    std::thread m_linha;
};
