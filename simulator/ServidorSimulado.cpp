#include "ServidorSimulado.h"

#include "EnlaceSimulado.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A host that stops reading loses the stream beyond this, as a serial line
// whose receiver is not emptied overflows.
constexpr std::size_t MaiorFilaCliente = 256 * 1024;

void Fecha(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

QString ErroSistema(const QString &oque)
{
    return QStringLiteral("%1: %2").arg(oque, QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

ServidorSimulado::ServidorSimulado(Dispositivo &dispositivo)
    : m_dispositivo(dispositivo)
    , m_fdEvento(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    m_dispositivo.DefineSaida([this](std::span<const std::uint8_t> bytes) { EnviaAoHost(bytes); });
}

ServidorSimulado::~ServidorSimulado()
{
    m_dispositivo.DefineSaida({});
    Fecha(m_fdCliente);
    Fecha(m_fdPty);
    Fecha(m_fdPtyEscravo);
    Fecha(m_fdEvento);
    if (m_fdEscuta >= 0) {
        Fecha(m_fdEscuta);
        QFile::remove(m_caminhoSoquete);
    }
}

QString ServidorSimulado::Registra(const QString &nomePorta)
{
    const QString caminho = enlace::CaminhoPorta(nomePorta);
    if (caminho.isEmpty())
        return QStringLiteral("Nome de porta inválido: \"%1\".").arg(nomePorta);
    const QString pasta = enlace::PastaPortas();
    if (!QDir().mkpath(pasta))
        return QStringLiteral("Não foi possível criar a pasta de portas \"%1\".").arg(pasta);
    ::chmod(QFile::encodeName(pasta).constData(), 0700);
    if (enlace::PortasRegistradas(pasta).contains(nomePorta.toUpper()))
        return QStringLiteral("A porta %1 já está em uso por outro simulador.").arg(nomePorta.toUpper());
    QFile::remove(caminho); // left behind by a simulator that died

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return ErroSistema(QStringLiteral("socket"));
    sockaddr_un endereco{};
    endereco.sun_family = AF_UNIX;
    const QByteArray nativo = QFile::encodeName(caminho);
    std::memcpy(endereco.sun_path, nativo.constData(), std::size_t(nativo.size()));
    if (::bind(fd, reinterpret_cast<sockaddr *>(&endereco), sizeof endereco) != 0 || ::listen(fd, 8) != 0) {
        const QString erro = ErroSistema(caminho);
        ::close(fd);
        return erro;
    }
    m_fdEscuta = fd;
    m_caminhoSoquete = caminho;
    return {};
}

QString ServidorSimulado::AbrePty()
{
    const int mestre = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (mestre < 0 || ::grantpt(mestre) != 0 || ::unlockpt(mestre) != 0) {
        const QString erro = ErroSistema(QStringLiteral("pseudo-terminal"));
        if (mestre >= 0)
            ::close(mestre);
        return erro;
    }
    const QString escravo = QString::fromLocal8Bit(::ptsname(mestre));
    const int fdEscravo = ::open(QFile::encodeName(escravo).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fdEscravo < 0) {
        const QString erro = ErroSistema(escravo);
        ::close(mestre);
        return erro;
    }
    termios modo{};
    ::tcgetattr(fdEscravo, &modo);
    ::cfmakeraw(&modo);
    ::tcsetattr(fdEscravo, TCSANOW, &modo);
    m_fdPty = mestre;
    m_fdPtyEscravo = fdEscravo;
    m_caminhoPty = escravo;
    return {};
}

void ServidorSimulado::VigiaControle(int fd, Resposta resposta)
{
    m_fdControle = fd;
    m_resposta = std::move(resposta);
}

void ServidorSimulado::Para()
{
    const std::uint64_t um = 1;
    [[maybe_unused]] const auto escritos = ::write(m_fdEvento, &um, sizeof um);
}

void ServidorSimulado::EnviaAoHost(std::span<const std::uint8_t> bytes)
{
    if (m_fdCliente >= 0 && m_filaCliente.size() < MaiorFilaCliente) {
        enlace::Codifica(enlace::Tipo::Dados, bytes, m_filaCliente);
        DescarregaCliente();
    }
    if (m_fdPty >= 0) // what the line cannot take is lost, as on a real one
        [[maybe_unused]] const auto escritos = ::write(m_fdPty, bytes.data(), bytes.size());
}

void ServidorSimulado::DescarregaCliente()
{
    while (!m_filaCliente.empty() && m_fdCliente >= 0) {
        const ssize_t escritos = ::send(m_fdCliente, m_filaCliente.data(), m_filaCliente.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (escritos > 0) {
            m_filaCliente.erase(m_filaCliente.begin(), m_filaCliente.begin() + escritos);
            continue;
        }
        if (escritos < 0 && errno == EINTR)
            continue;
        return; // full (POLLOUT resumes) or gone (the read side notices)
    }
}

void ServidorSimulado::Aceita()
{
    const int fd = ::accept4(m_fdEscuta, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return;
    std::vector<std::uint8_t> saudacao;
    const std::uint8_t estado = m_fdCliente >= 0 ? enlace::PortaOcupada : enlace::PortaLivre;
    enlace::Codifica(enlace::Tipo::Saudacao, std::span(&estado, 1), saudacao);
    [[maybe_unused]] const auto escritos = ::send(fd, saudacao.data(), saudacao.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (estado == enlace::PortaOcupada) {
        ::close(fd);
        return;
    }
    m_fdCliente = fd;
    m_filaCliente.clear();
    m_decodificador.Reinicia();
}

void ServidorSimulado::FechaCliente(Dispositivo::Instante agora)
{
    Fecha(m_fdCliente);
    m_filaCliente.clear();
    m_decodificador.Reinicia();
    // A closed port drops DTR.
    m_dispositivo.MudaDTR(false, agora);
}

void ServidorSimulado::LeCliente(Dispositivo::Instante agora)
{
    std::uint8_t bloco[4096];
    for (;;) {
        const ssize_t lidos = ::read(m_fdCliente, bloco, sizeof bloco);
        if (lidos < 0 && errno == EINTR)
            continue;
        if (lidos < 0 && errno == EAGAIN)
            return;
        if (lidos <= 0) {
            FechaCliente(agora);
            return;
        }
        m_decodificador.Alimenta(std::span(bloco, std::size_t(lidos)), [&](enlace::Tipo tipo, std::span<const std::uint8_t> carga) {
            if (tipo == enlace::Tipo::Dados)
                m_dispositivo.Recebe(carga, agora);
            else if (tipo == enlace::Tipo::Linhas && !carga.empty())
                m_dispositivo.MudaDTR((carga[0] & enlace::LinhaDTR) != 0, agora);
        });
        if (m_fdCliente < 0)
            return;
    }
}

void ServidorSimulado::LePty(Dispositivo::Instante agora)
{
    std::uint8_t bloco[4096];
    const ssize_t lidos = ::read(m_fdPty, bloco, sizeof bloco);
    if (lidos > 0)
        m_dispositivo.Recebe(std::span(bloco, std::size_t(lidos)), agora);
}

void ServidorSimulado::LeControle(Dispositivo::Instante agora)
{
    char bloco[1024];
    const ssize_t lidos = ::read(m_fdControle, bloco, sizeof bloco);
    if (lidos <= 0) {
        if (lidos == 0 || errno != EINTR)
            m_fdControle = -1; // no more commands (standard input closed)
        return;
    }
    m_bufferControle.insert(m_bufferControle.end(), bloco, bloco + lidos);
    for (auto fim = std::find(m_bufferControle.begin(), m_bufferControle.end(), '\n'); fim != m_bufferControle.end();
         fim = std::find(m_bufferControle.begin(), m_bufferControle.end(), '\n')) {
        const QString linha = QString::fromUtf8(reinterpret_cast<const char *>(m_bufferControle.data()),
                                                int(fim - m_bufferControle.begin())).trimmed();
        m_bufferControle.erase(m_bufferControle.begin(), fim + 1);
        if (linha.isEmpty())
            continue;
        if (linha == QLatin1String("sair")) {
            m_parar = true;
            return;
        }
        const QString erro = m_dispositivo.Comando(linha, agora);
        if (m_resposta)
            m_resposta(erro.isEmpty() ? QStringLiteral("ok ") + linha : QStringLiteral("erro: ") + erro);
    }
}

void ServidorSimulado::Executa()
{
    m_parar = false;
    while (!m_parar) {
        std::vector<pollfd> vigiados;
        const auto vigia = [&vigiados](int fd, short eventos) {
            if (fd >= 0)
                vigiados.push_back({fd, eventos, 0});
            return fd >= 0 ? int(vigiados.size() - 1) : -1;
        };
        const int iCliente = vigia(m_fdCliente, short(POLLIN | (m_filaCliente.empty() ? 0 : POLLOUT)));
        const int iEscuta = vigia(m_fdEscuta, POLLIN);
        const int iPty = vigia(m_fdPty, POLLIN);
        const int iControle = vigia(m_fdControle, POLLIN);
        const int iParada = vigia(m_fdParada, POLLIN);
        const int iEvento = vigia(m_fdEvento, POLLIN);

        timespec espera{};
        timespec *limite = nullptr;
        if (const auto prazo = m_dispositivo.ProximoPrazo()) {
            const auto falta = std::max(*prazo - Dispositivo::Relogio::now(), Dispositivo::Relogio::duration::zero());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(falta).count();
            espera.tv_sec = ns / 1'000'000'000;
            espera.tv_nsec = ns % 1'000'000'000;
            limite = &espera;
        }
        if (::ppoll(vigiados.data(), vigiados.size(), limite, nullptr) < 0 && errno != EINTR)
            return;
        const auto agora = Dispositivo::Relogio::now();
        const auto pronto = [&vigiados](int i) { return i >= 0 && vigiados[std::size_t(i)].revents != 0; };

        // The current host first: a host that just left must be gone before
        // the next one knocks, or the port would look busy.
        if (pronto(iCliente)) {
            if (vigiados[std::size_t(iCliente)].revents & POLLOUT)
                DescarregaCliente();
            if (vigiados[std::size_t(iCliente)].revents & (POLLIN | POLLHUP | POLLERR))
                LeCliente(agora);
        }
        if (pronto(iEscuta))
            Aceita();
        if (pronto(iPty))
            LePty(agora);
        if (pronto(iControle))
            LeControle(agora);
        if (pronto(iParada) || pronto(iEvento))
            m_parar = true;
        m_dispositivo.Avanca(Dispositivo::Relogio::now());
    }
}
