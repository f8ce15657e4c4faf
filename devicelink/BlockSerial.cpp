#include "BlockSerial.h"

#include <QFile>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Relogio = std::chrono::steady_clock;

// Writes wait this long for room in the line before giving up.
constexpr int TempoEscritaMs = 1000;
// A simulated port answers its connection at once; this only covers a busy machine.
constexpr int TempoSaudacaoMs = 1000;
constexpr std::size_t TamanhoLeitura = 4096;

int Restante(Relogio::time_point prazo)
{
    const auto falta = std::chrono::ceil<std::chrono::milliseconds>(prazo - Relogio::now()).count();
    return falta > 0 ? int(falta) : 0;
}

speed_t Velocidade(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return B0;
    }
}

} // namespace

TBlockSerial::~TBlockSerial()
{
    CloseSocket();
}

void TBlockSerial::CloseSocket()
{
    if (m_fd >= 0) {
        // The exclusive mark stays on a terminal somebody else keeps open
        // (the simulator holds its pseudo-terminal): take it off first.
        if (m_transporte == Transporte::Terminal)
            ::ioctl(m_fd, TIOCNXCL);
        ::close(m_fd);
    }
    m_fd = -1;
    m_transporte = Transporte::Nenhum;
    m_recebidos.clear();
    m_inicio = 0;
    m_decodificador.Reinicia();
}

bool TBlockSerial::Aberta()
{
    if (m_fd >= 0)
        return true;
    m_ultimoErro = ErroPortaFechada;
    return false;
}

void TBlockSerial::Perdida()
{
    CloseSocket();
    m_ultimoErro = ErroPortaPerdida;
}

void TBlockSerial::Connect(const QString &nome)
{
    m_ultimoErro = 0;
    CloseSocket();
    m_dispositivo.clear();
    m_dtr = true;
    if (nome.contains(QLatin1Char('/'))) {
        ConectaTerminal(nome);
        return;
    }
    const QString soquete = enlace::CaminhoPorta(nome);
    if (!soquete.isEmpty() && QFile::exists(soquete)) {
        ConectaSoquete(soquete);
        return;
    }
    ConectaTerminal(QStringLiteral("/dev/") + nome);
}

bool TBlockSerial::ConectaTerminal(const QString &caminho)
{
    const int fd = ::open(QFile::encodeName(caminho).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_ultimoErro = errno;
        return false;
    }
    // A port belongs to one program at a time. The lock comes first so a
    // second opener changes nothing; TIOCEXCL, which root passes by, also
    // keeps out programs that do not lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_ultimoErro = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return false;
    }
    termios modo{};
    if (::tcgetattr(fd, &modo) != 0) {
        m_ultimoErro = errno;
        ::close(fd);
        return false;
    }
    if (::ioctl(fd, TIOCEXCL) != 0) {
        m_ultimoErro = errno;
        ::close(fd);
        return false;
    }
    ::cfmakeraw(&modo);
    modo.c_cflag |= CLOCAL | CREAD;
    modo.c_cc[VMIN] = 1;
    modo.c_cc[VTIME] = 0;
    ::tcsetattr(fd, TCSANOW, &modo);
    m_fd = fd;
    m_transporte = Transporte::Terminal;
    m_dispositivo = caminho;
    return true;
}

bool TBlockSerial::ConectaSoquete(const QString &caminho)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_ultimoErro = errno;
        return false;
    }
    sockaddr_un endereco{};
    endereco.sun_family = AF_UNIX;
    const QByteArray nativo = QFile::encodeName(caminho);
    std::memcpy(endereco.sun_path, nativo.constData(), std::size_t(nativo.size()));
    if (::connect(fd, reinterpret_cast<sockaddr *>(&endereco), sizeof endereco) != 0) {
        m_ultimoErro = errno;
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_transporte = Transporte::Soquete;
    m_dispositivo = caminho;
    m_saudacao = -1;
    if (!AguardaSaudacao())
        return false;
    // The device starts from DTR raised, as a terminal is opened.
    const std::uint8_t linhas = enlace::LinhaDTR;
    EnviaMensagem(enlace::Tipo::Linhas, std::span(&linhas, 1));
    return m_ultimoErro == 0;
}

bool TBlockSerial::AguardaSaudacao()
{
    const auto prazo = Relogio::now() + std::chrono::milliseconds(TempoSaudacaoMs);
    while (m_saudacao < 0) {
        pollfd espera{m_fd, POLLIN, 0};
        if (::poll(&espera, 1, Restante(prazo)) <= 0) {
            CloseSocket();
            m_ultimoErro = ErroTimeout;
            return false;
        }
        if (!LeSistema())
            return false;
    }
    if (m_saudacao == enlace::PortaLivre)
        return true;
    CloseSocket();
    m_ultimoErro = ErroPortaOcupada;
    return false;
}

void TBlockSerial::Config(int baud, int dataBits, char parity, int stopBits, bool softFlow, bool hardFlow)
{
    m_ultimoErro = 0;
    if (!Aberta())
        return;
    const speed_t velocidade = Velocidade(baud);
    const char paridade = char(std::toupper(static_cast<unsigned char>(parity)));
    const bool valida = velocidade != B0 && dataBits >= 5 && dataBits <= 8
        && std::strchr("NOEMS", paridade) != nullptr && paridade != '\0' && stopBits >= 0 && stopBits <= 2;
    if (!valida) {
        m_ultimoErro = ErroParametro;
        return;
    }
    if (m_transporte == Transporte::Soquete)
        return; // the simulated cable has no line settings

    termios modo{};
    if (::tcgetattr(m_fd, &modo) != 0) {
        m_ultimoErro = errno;
        return;
    }
    ::cfsetispeed(&modo, velocidade);
    ::cfsetospeed(&modo, velocidade);
    static constexpr tcflag_t Bits[] = {CS5, CS6, CS7, CS8};
    modo.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    modo.c_cflag |= Bits[dataBits - 5];
    switch (paridade) {
    case 'O': modo.c_cflag |= PARENB | PARODD; break;
    case 'E': modo.c_cflag |= PARENB; break;
    case 'M': modo.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 'S': modo.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    if (stopBits != 0)
        modo.c_cflag |= CSTOPB; // 1.5 stop bits exist only with 5 data bits; termios calls both CSTOPB
    if (hardFlow)
        modo.c_cflag |= CRTSCTS;
    modo.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (softFlow)
        modo.c_iflag |= IXON | IXOFF;
    if (::tcsetattr(m_fd, TCSANOW, &modo) != 0)
        m_ultimoErro = errno;
}

void TBlockSerial::SetSizeRecvBuffer(int bytes)
{
    m_ultimoErro = 0;
    if (bytes <= 0) {
        m_ultimoErro = ErroParametro;
        return;
    }
    m_capacidade = bytes;
}

void TBlockSerial::Purge()
{
    m_ultimoErro = 0;
    if (!Aberta())
        return;
    if (m_transporte == Transporte::Terminal && ::tcflush(m_fd, TCIOFLUSH) != 0)
        m_ultimoErro = errno;
    if (m_transporte == Transporte::Soquete)
        while (LeSistema() && Disponiveis() > 0) {
            m_recebidos.clear();
            m_inicio = 0;
        }
    m_recebidos.clear();
    m_inicio = 0;
}

void TBlockSerial::SendString(std::string_view dados)
{
    SendBuffer(dados.data(), int(dados.size()));
}

void TBlockSerial::SendBuffer(const void *dados, int tamanho)
{
    m_ultimoErro = 0;
    if (!Aberta())
        return;
    if (tamanho <= 0)
        return;
    const auto *bytes = static_cast<const std::uint8_t *>(dados);
    if (m_transporte == Transporte::Soquete)
        EnviaMensagem(enlace::Tipo::Dados, std::span(bytes, std::size_t(tamanho)));
    else
        Escreve(bytes, std::size_t(tamanho));
}

void TBlockSerial::EnviaMensagem(enlace::Tipo tipo, std::span<const std::uint8_t> carga)
{
    std::vector<std::uint8_t> mensagem;
    enlace::Codifica(tipo, carga, mensagem);
    Escreve(mensagem.data(), mensagem.size());
}

bool TBlockSerial::Escreve(const std::uint8_t *dados, std::size_t tamanho)
{
    const auto prazo = Relogio::now() + std::chrono::milliseconds(TempoEscritaMs);
    while (tamanho > 0) {
        const ssize_t escritos = m_transporte == Transporte::Soquete
            ? ::send(m_fd, dados, tamanho, MSG_NOSIGNAL | MSG_DONTWAIT)
            : ::write(m_fd, dados, tamanho);
        if (escritos > 0) {
            dados += escritos;
            tamanho -= std::size_t(escritos);
            continue;
        }
        if (escritos < 0 && errno == EINTR)
            continue;
        if (escritos < 0 && errno != EAGAIN) {
            const int erro = errno;
            if (erro == EPIPE || erro == ECONNRESET || erro == EIO || erro == ENXIO)
                Perdida();
            else
                m_ultimoErro = erro;
            return false;
        }
        pollfd espera{m_fd, POLLOUT, 0};
        if (::poll(&espera, 1, Restante(prazo)) <= 0) {
            m_ultimoErro = ErroTimeout;
            return false;
        }
    }
    return true;
}

void TBlockSerial::Acolhe(std::span<const std::uint8_t> bytes)
{
    if (m_transporte == Transporte::Terminal) {
        m_recebidos.insert(m_recebidos.end(), bytes.begin(), bytes.end());
        return;
    }
    m_decodificador.Alimenta(bytes, [this](enlace::Tipo tipo, std::span<const std::uint8_t> carga) {
        if (tipo == enlace::Tipo::Dados)
            m_recebidos.insert(m_recebidos.end(), carga.begin(), carga.end());
        else if (tipo == enlace::Tipo::Saudacao && !carga.empty())
            m_saudacao = carga[0];
    });
}

bool TBlockSerial::LeSistema()
{
    if (m_inicio > 0 && m_inicio == m_recebidos.size()) {
        m_recebidos.clear();
        m_inicio = 0;
    } else if (m_inicio > TamanhoLeitura) {
        m_recebidos.erase(m_recebidos.begin(), m_recebidos.begin() + std::ptrdiff_t(m_inicio));
        m_inicio = 0;
    }
    for (;;) {
        const std::size_t livre = Disponiveis() < std::size_t(m_capacidade)
            ? std::min(TamanhoLeitura, std::size_t(m_capacidade) - Disponiveis())
            : 0;
        if (livre == 0)
            return true;
        std::uint8_t bloco[TamanhoLeitura];
        const ssize_t lidos = ::read(m_fd, bloco, livre);
        if (lidos > 0) {
            Acolhe(std::span(bloco, std::size_t(lidos)));
            if (std::size_t(lidos) < livre)
                return true;
            continue;
        }
        if (lidos < 0 && errno == EINTR)
            continue;
        if ((lidos < 0 && errno == EAGAIN) || (lidos == 0 && m_transporte == Transporte::Terminal))
            return true; // nothing more now (a hung-up terminal shows in poll)
        // End of file on the socket, or EIO from a terminal whose other end
        // is gone: the port has vanished.
        Perdida();
        return false;
    }
}

bool TBlockSerial::Preenche(int timeoutMs)
{
    const auto prazo = Relogio::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        pollfd espera{m_fd, POLLIN, 0};
        const int prontos = ::poll(&espera, 1, Restante(prazo));
        if (prontos < 0 && errno != EINTR) {
            m_ultimoErro = errno;
            return false;
        }
        if (prontos > 0) {
            const std::size_t antes = Disponiveis();
            if (!LeSistema())
                return false;
            if (Disponiveis() > antes)
                return true;
            // A hung-up terminal that reads nothing would only spin.
            if (m_transporte == Transporte::Terminal && (espera.revents & (POLLHUP | POLLERR))) {
                Perdida();
                return false;
            }
        }
        if (Relogio::now() >= prazo) {
            m_ultimoErro = ErroTimeout;
            return false;
        }
    }
}

std::uint8_t TBlockSerial::RecvByte(int timeoutMs)
{
    m_ultimoErro = 0;
    if (!Aberta())
        return 0;
    if (Disponiveis() == 0 && !Preenche(timeoutMs))
        return 0;
    return m_recebidos[m_inicio++];
}

int TBlockSerial::RecvBufferEx(void *destino, int tamanho, int timeoutMs)
{
    m_ultimoErro = 0;
    if (!Aberta())
        return 0;
    auto *saida = static_cast<std::uint8_t *>(destino);
    const auto prazo = Relogio::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    int copiados = 0;
    while (copiados < tamanho) {
        if (Disponiveis() == 0 && !Preenche(Restante(prazo)))
            return copiados;
        const int parte = int(std::min(Disponiveis(), std::size_t(tamanho - copiados)));
        std::memcpy(saida + copiados, m_recebidos.data() + m_inicio, std::size_t(parte));
        m_inicio += std::size_t(parte);
        copiados += parte;
    }
    return copiados;
}

void TBlockSerial::SetDTR(bool alto)
{
    m_ultimoErro = 0;
    if (!Aberta())
        return;
    m_dtr = alto;
    if (m_transporte == Transporte::Soquete) {
        const std::uint8_t linhas = alto ? enlace::LinhaDTR : 0;
        EnviaMensagem(enlace::Tipo::Linhas, std::span(&linhas, 1));
        return;
    }
    // Pseudo-terminals have no modem lines and answer ENOTTY here; that is
    // this call's error only, the data path is unaffected.
    const int linha = TIOCM_DTR;
    if (::ioctl(m_fd, alto ? TIOCMBIS : TIOCMBIC, &linha) != 0)
        m_ultimoErro = errno;
}

int TBlockSerial::WaitingData()
{
    m_ultimoErro = 0;
    if (!Aberta())
        return 0;
    LeSistema();
    return int(Disponiveis());
}

QString TBlockSerial::LastErrorDesc() const
{
    switch (m_ultimoErro) {
    case 0: return QStringLiteral("Sem erro");
    case ErroTimeout: return QStringLiteral("Tempo esgotado");
    case ErroPortaFechada: return QStringLiteral("Porta não aberta");
    case ErroPortaOcupada: return QStringLiteral("Porta em uso por outro programa");
    case ErroPortaPerdida: return QStringLiteral("A porta deixou de responder (desconectada)");
    case ErroParametro: return QStringLiteral("Parâmetro de porta inválido");
    default: return QString::fromLocal8Bit(std::strerror(m_ultimoErro));
    }
}
