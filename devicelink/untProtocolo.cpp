#include "untProtocolo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <thread>

#include "EnlaceSimulado.h"

namespace {

using Relogio = std::chrono::steady_clock;

// The interface needs this long after the stop request before the port can
// be released without cutting the request short.
constexpr auto PausaFechamento = std::chrono::milliseconds(300);
constexpr int MinimoBufferPrincipal = 8192;
constexpr int MinimoBufferFerramenta = 4096;
// LimpaQuadro clears the part of the buffer any short reply uses.
constexpr std::size_t TamanhoLimpeza = 55;

bool Falha(int *ErroProtocolo, int codigo)
{
    if (ErroProtocolo)
        *ErroProtocolo = codigo;
    return false;
}

// Creates the port object in `porta`; the old object goes first, as it
// would keep the port busy for the new one. On failure `porta` stays empty.
bool AbreEm(TPorta &porta, const QString &nomePorta, int baud, int dataBits, char parity, int stopBits,
            bool softFlow, bool hardFlow, int recvBufferSize, bool purga)
{
    porta.reset();
    auto nova = std::make_unique<TBlockSerial>();
    nova->Connect(nomePorta);
    if (nova->LastError() != 0)
        return false;
    nova->Config(baud, dataBits, parity, stopBits, softFlow, hardFlow);
    if (nova->LastError() != 0)
        return false;
    nova->SetSizeRecvBuffer(recvBufferSize);
    if (purga)
        nova->Purge();
    if (nova->LastError() != 0)
        return false;
    porta = std::move(nova);
    return true;
}

bool EnviaInicio(const TPorta &porta, std::span<const std::uint8_t> quadro, int quantidade)
{
    if (!porta || quantidade < 0 || quantidade > int(quadro.size()))
        return false;
    porta->SendBuffer(quadro.data(), quantidade);
    return porta->LastError() == 0;
}

} // namespace

std::uint8_t SomaPosicao(std::span<const std::uint8_t> quadro)
{
    std::uint8_t soma = 0;
    for (std::size_t i = 1; i + 1 < quadro.size(); ++i)
        soma = std::uint8_t(soma + quadro[i]);
    return soma;
}

QString TextoErroProtocolo(int codigo)
{
    static const char *const Textos[] = {
        "00 - Erro de Checksum",
        "01 - Erro de Timeout",
        "02 - Nenhum Dispositivo endereçado",
        "03 - Endereço Inválido de Dispositivo",
        "04 - Falha no Dispositivo",
        "05 - Falha na configuração do Dispositivo",
        "06 - Função Inválida",
        "07 - Dados Inválidos",
        "08 - Início da Mensagem não encontrado",
        "09 - Fim da Mensagem não encontrado",
    };
    if (codigo == ErroNenhum)
        return QStringLiteral("   - Nenhum");
    if (codigo >= 0 && codigo < int(std::size(Textos)))
        return QString::fromUtf8(Textos[codigo]);
    return QStringLiteral("%1 - ").arg(codigo, 2, 10, QLatin1Char('0'));
}

std::uint8_t ChecksumDe(std::span<const std::uint8_t> quadro)
{
    if (quadro.size() <= std::size_t(PosTamanho))
        return 0;
    const std::size_t fim = std::min<std::size_t>(std::size_t(PosTamanho) + quadro[PosTamanho], quadro.size() - 1);
    std::uint8_t soma = 0;
    for (std::size_t i = 1; i <= fim; ++i)
        soma = std::uint8_t(soma + quadro[i]);
    return std::uint8_t((0xFF - soma) + 1);
}

QString HexBytes(std::span<const std::uint8_t> bytes)
{
    QString texto;
    texto.reserve(int(bytes.size() * 3));
    for (const std::uint8_t byte : bytes) {
        if (!texto.isEmpty())
            texto += QLatin1Char(' ');
        texto += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return texto;
}

QString HexDe(std::span<const std::uint8_t> quadro)
{
    if (quadro.size() <= std::size_t(PosTamanho))
        return {};
    const std::size_t tamanho = std::min<std::size_t>(std::size_t(quadro[PosTamanho]) + TamanhoMoldura, quadro.size());
    return HexBytes(quadro.first(tamanho)) + QLatin1Char(' ');
}

int MontaQuadroEm(std::span<std::uint8_t> quadro, std::uint8_t funcao, std::span<const std::uint8_t> dados)
{
    const std::size_t tamanho = dados.size() + TamanhoMoldura;
    if (dados.size() > 0xFF || tamanho > quadro.size())
        return 0;
    quadro[0] = InicioQuadro;
    quadro[1] = Endereco1;
    quadro[2] = Endereco2;
    quadro[PosFuncao] = funcao;
    quadro[PosTamanho] = std::uint8_t(dados.size());
    std::copy(dados.begin(), dados.end(), quadro.begin() + PosDados);
    quadro[PosDados + dados.size()] = ChecksumDe(quadro);
    quadro[PosDados + dados.size() + 1] = FimQuadro;
    return int(tamanho);
}

// ---- Main program revision ------------------------------------------------

bool AbrePorta(TPorta &porta, const QString &nomePorta, int baud, int dataBits, char parity, int stopBits,
               bool softFlow, bool hardFlow, int recvBufferSize)
{
    return AbreEm(porta, nomePorta, baud, dataBits, parity, stopBits, softFlow, hardFlow,
                  std::max(recvBufferSize, MinimoBufferPrincipal), true);
}

bool FechaPorta(TPorta &porta)
{
    if (!porta)
        return true;
    // Lowering DTR ends a running acquisition; on a line without modem
    // lines the stop request does it.
    porta->SetDTR(false);
    porta->SendString(ComandoParar);
    porta->SendString(PosicaoFechar);
    std::this_thread::sleep_for(PausaFechamento);
    porta->Purge();
    porta.reset();
    return true;
}

bool AbrePortaInterface(TPorta &porta, const QString &nomePorta)
{
    return AbrePorta(porta, nomePorta, 115200, 8, 'n', 2, false, false, MinimoBufferPrincipal);
}

bool EnviaComando(const TPorta &porta, std::string_view bytes)
{
    if (!porta)
        return false;
    porta->SendString(bytes);
    return porta->LastError() == 0;
}

bool EnviaQuadro(const TPorta &porta, const TQuadro &quadro, int quantidade)
{
    return EnviaInicio(porta, quadro, quantidade);
}

bool RecebeQuadro(const TPorta &porta, TQuadro &quadro, std::uint8_t funcaoEsperada, std::uint16_t timeoutMs,
                  int *ErroProtocolo)
{
    if (ErroProtocolo)
        *ErroProtocolo = ErroNenhum;
    LimpaQuadro(quadro);
    if (!porta)
        return Falha(ErroProtocolo, ErroTimeout);
    TBlockSerial &linha = *porta;

    // Noise before the start byte is skipped, but only for as long as the
    // time-out: a line that only carries garbage must not hold the caller.
    const auto prazo = Relogio::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto falta = std::chrono::ceil<std::chrono::milliseconds>(prazo - Relogio::now()).count();
        const std::uint8_t byte = linha.RecvByte(int(std::max<long long>(falta, 0)));
        if (linha.LastError() != 0)
            return Falha(ErroProtocolo, ErroTimeout);
        if (byte == InicioQuadro)
            break;
    }
    quadro[0] = InicioQuadro;
    for (int i = 1; i <= PosTamanho; ++i) {
        quadro[i] = linha.RecvByte(timeoutMs);
        if (linha.LastError() != 0)
            return Falha(ErroProtocolo, ErroTimeout);
    }

    // Payload, checksum and end. Once a byte fails to come the rest would
    // only time out as well: the missing positions stay 0 and the checksum
    // test rejects the frame. A length byte past the buffer: the excess is
    // read and dropped so the stream stays in step, and the frame fails.
    const std::size_t tamanho = std::size_t(quadro[PosTamanho]) + TamanhoMoldura;
    for (std::size_t i = PosDados; i < tamanho; ++i) {
        const std::uint8_t byte = linha.RecvByte(timeoutMs);
        if (linha.LastError() != 0) {
            std::fill(quadro.begin() + std::ptrdiff_t(std::min(i, quadro.size())),
                      quadro.begin() + std::ptrdiff_t(std::min(tamanho, quadro.size())), 0);
            break;
        }
        if (i < quadro.size())
            quadro[i] = byte;
    }
    if (tamanho > quadro.size())
        return Falha(ErroProtocolo, ErroChecksum);

    const std::size_t tamanhoDados = quadro[PosTamanho];
    if (quadro[PosDados + tamanhoDados] != CalculaChecksum(quadro))
        return Falha(ErroProtocolo, ErroChecksum);
    if (quadro[PosDados + tamanhoDados + 1] != FimQuadro)
        return Falha(ErroProtocolo, ErroFimAusente);
    if (funcaoEsperada != 0 && quadro[PosFuncao] != funcaoEsperada)
        return Falha(ErroProtocolo, quadro[PosFuncao] >= PrimeiraFuncaoErro ? quadro[PosDados] : ErroFuncaoInvalida);
    return true;
}

QStringList ListaPortasDe(const QString &pastaClasseTty, const QString &pastaPortasSimuladas)
{
    QStringList portas;
    const QStringList entradas = QDir(pastaClasseTty).entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &nome : entradas) {
        const QString pasta = pastaClasseTty + QLatin1Char('/') + nome;
        if (!QFileInfo::exists(pasta + QStringLiteral("/device/driver")))
            continue; // consoles, pseudo-terminals
        // The 8250 driver creates ports it never found; their UART type is 0.
        QFile tipo(pasta + QStringLiteral("/type"));
        if (tipo.open(QIODevice::ReadOnly) && tipo.readAll().trimmed() == "0")
            continue;
        portas << nome;
    }
    return portas + enlace::PortasRegistradas(pastaPortasSimuladas);
}

QString ListaPortasSeriais()
{
    return ListaPortasDe(QStringLiteral("/sys/class/tty"), enlace::PastaPortas()).join(QLatin1Char(','));
}

bool TestaPorta(const QString &nomePorta)
{
    TPorta porta;
    const bool aberta = AbrePortaInterface(porta, nomePorta);
    FechaPorta(porta);
    return aberta;
}

bool LimpaBuffers(const TPorta &porta)
{
    if (!porta)
        return false;
    porta->Purge();
    return true;
}

bool LimpaQuadro(TQuadro &quadro)
{
    std::fill_n(quadro.begin(), TamanhoLimpeza, 0);
    return true;
}

// ---- Tool revision --------------------------------------------------------

namespace ferramenta {

bool AbrePorta(TPorta &porta, const QString &nomePorta, int baud, int dataBits, char parity, int stopBits,
               bool softFlow, bool hardFlow, int recvBufferSize)
{
    return AbreEm(porta, nomePorta, baud, dataBits, parity, stopBits, softFlow, hardFlow,
                  std::max(recvBufferSize, MinimoBufferFerramenta), false);
}

bool FechaPorta(TPorta &porta)
{
    if (porta)
        porta->Purge();
    porta.reset();
    return true;
}

bool EnviaComando(const TPorta &porta, std::string_view bytes)
{
    const std::span dados(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    return EnviaInicio(porta, dados, int(dados.size()));
}

bool EnviaQuadro(const TPorta &porta, const TQuadroCurto &quadro, int quantidade)
{
    return EnviaInicio(porta, quadro, quantidade);
}

bool RecebeQuadro(const TPorta &porta, TQuadroCurto &quadro, int tamanho, std::uint16_t timeoutMs,
                  std::uint8_t funcaoEsperada, int *ErroProtocolo)
{
    if (ErroProtocolo)
        *ErroProtocolo = ErroNenhum;
    quadro.fill(0xFF);
    if (!porta)
        return Falha(ErroProtocolo, ErroTimeout);
    TBlockSerial &linha = *porta;

    const int cabem = std::clamp(tamanho, 0, int(quadro.size()));
    linha.RecvBufferEx(quadro.data(), cabem, timeoutMs);
    const bool erroLinha = linha.LastError() != 0;
    if (tamanho > cabem && !erroLinha) {
        std::array<std::uint8_t, 256> excesso{};
        for (int falta = tamanho - cabem; falta > 0 && linha.LastError() == 0;)
            falta -= linha.RecvBufferEx(excesso.data(), std::min(falta, int(excesso.size())), timeoutMs);
    }
    if (erroLinha && funcaoEsperada != 0)
        return Falha(ErroProtocolo, ErroTimeout);
    if (tamanho > cabem)
        return Falha(ErroProtocolo, ErroChecksum);

    // A length byte that puts checksum or end past the buffer cannot be checked.
    const std::size_t tamanhoDados = quadro[PosTamanho];
    if (PosDados + tamanhoDados + 1 >= quadro.size())
        return Falha(ErroProtocolo, ErroChecksum);
    if (quadro[PosDados + tamanhoDados] != CalculaChecksum(quadro))
        return Falha(ErroProtocolo, ErroChecksum);
    if (quadro[0] != InicioQuadro)
        return Falha(ErroProtocolo, ErroInicioAusente);
    if (quadro[PosDados + tamanhoDados + 1] != FimQuadro)
        return Falha(ErroProtocolo, ErroFimAusente);
    if (quadro[PosFuncao] >= PrimeiraFuncaoErro)
        return Falha(ErroProtocolo, quadro[PosDados]);
    if (funcaoEsperada != 0 && quadro[PosFuncao] != funcaoEsperada)
        return Falha(ErroProtocolo, ErroFuncaoInvalida);
    return true;
}

} // namespace ferramenta
