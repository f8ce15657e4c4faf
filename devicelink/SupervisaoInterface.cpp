#include "SupervisaoInterface.h"

#include "RegistroIni.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace {

const QString TextoNaoIdentificada = QStringLiteral("Interface do Vyrax-PRO não identificada! Verifique a Comunicação...");
constexpr int LarguraLedSemPorta = 22;
constexpr int LarguraLedComPorta = 24;
constexpr std::uint8_t RespostaInterface = 100;

QString HexPedido(std::string_view pedido)
{
    return HexDe(std::span(reinterpret_cast<const std::uint8_t *>(pedido.data()), pedido.size()));
}

// The failure count stops at its top instead of wrapping round to "no failure".
void Soma(std::uint8_t &contador)
{
    if (contador < 0xFF)
        ++contador;
}

} // namespace

void Pausa(int ms)
{
    if (!QCoreApplication::instance()) {
        QThread::msleep(ms);
        return;
    }
    QEventLoop espera;
    QTimer::singleShot(ms, Qt::PreciseTimer, &espera, &QEventLoop::quit);
    espera.exec(QEventLoop::ExcludeUserInputEvents);
}

bool RecebeIdentificacao(const TPorta &porta, TQuadro &quadro, std::uint16_t timeoutMs)
{
    return RecebeQuadro(porta, quadro, FuncaoIdentificar, timeoutMs) && quadro[PosDados] == RespostaInterface;
}

SupervisaoInterface::SupervisaoInterface(PainelSupervisao &painel, ListaPortasFn listaPortas)
    : m_painel(painel), m_listaPortasFn(std::move(listaPortas))
{
}

SupervisaoInterface::~SupervisaoInterface()
{
    ::FechaPorta(m_porta);
}

void SupervisaoInterface::tmSensorTimer()
{
    if (m_autoIdentificacaoAtiva || m_tickAtivo)
        return;
    m_tickAtivo = true;

    const QString lista = m_listaPortasFn();
    m_listaPortas = lista.isEmpty() ? QStringList() : lista.split(QLatin1Char(','));
    m_numeroPortas = std::uint8_t(std::min<qsizetype>(m_listaPortas.size(), 0xFF));
    m_painel.Loga(QStringLiteral("----> Portas Seriais Encontradas: (%1) %2").arg(m_numeroPortas).arg(lista));

    bool resultado = false;
    if (m_numeroPortas == 0) {
        m_interfaceIdentificada = 0;
        Soma(m_falhas);
        m_painel.AjustaLedSensor(led::Vermelho);
        m_painel.MostraPorta(QStringLiteral(" Sem COM"), QStringLiteral("Portas Seriais não encontradas!"),
                             LarguraLedSemPorta);
        m_painel.DefineIntervaloSupervisao(IntervaloSemPortas);
    } else {
        if (m_interfaceIdentificada == 1) {
            m_painel.DefineIntervaloSupervisao(IntervaloIdentificada);
        } else {
            ::FechaPorta(m_porta);
            m_painel.Loga(QStringLiteral("HardVyraxOK = 0"));
            AutoIdentifica();
            // An unsuccessful search slows down, but never beyond its longest tick.
            if (m_interfaceIdentificada == 0 && m_painel.IntervaloSupervisao() < IntervaloMaximoBusca)
                m_painel.DefineIntervaloSupervisao(
                    std::min(m_painel.IntervaloSupervisao() + PassoBusca, IntervaloMaximoBusca));
        }

        const bool ok = m_interfaceIdentificada != 0 && m_porta && m_porta->InstanceActive();
        if (ok) {
            m_falhas = 0;
        } else {
            m_interfaceIdentificada = 0;
            Soma(m_falhas);
        }
        m_painel.Loga(QStringLiteral("----> Conexão - SrVyraxOK = %1 - HardVyraxOKSts = %2")
                          .arg(ok ? QStringLiteral("True") : QStringLiteral("False"))
                          .arg(m_falhas));

        if (m_interfaceIdentificada == 1)
            Ping(resultado);
        if (m_falhas > 0) {
            m_interfaceIdentificada = 0;
            m_painel.DefinePortaCOM(QString());
        }
        MostraEstadoPorta();
    }

    m_painel.Loga(QStringLiteral("<----"));
    m_painel.AjustaBarraEspaco();
    if (m_falhas > 0) {
        ::FechaPorta(m_porta);
        m_interfaceIdentificada = 0;
    }
    m_painel.AjustaLedSensor(resultado ? led::Amarelo : led::Vermelho);
    m_tickAtivo = false;
}

void SupervisaoInterface::Ping(bool &resultado)
{
    m_painel.Loga(QStringLiteral("----> Identificação"));
    LimpaBuffers(m_porta);
    Pausa(PausaPedidos);
    if (!EnviaComando(m_porta, ComandoIdentificar)) {
        Soma(m_falhas);
        m_painel.Loga(QStringLiteral("Identificação: 0 - ERRO"));
        m_painel.Loga(HexPedido(ComandoIdentificar));
        m_painel.Loga(QStringLiteral("HardVyraxOKSts: %1").arg(m_falhas));
        m_painel.Loga(QStringLiteral("<---- Identificação"));
        return;
    }
    LimpaQuadro(m_quadro);
    m_painel.Loga(QStringLiteral("Identificação: 0 - OK"));
    m_painel.Loga(HexPedido(ComandoIdentificar));
    // A reply that does not count is read once more, without a new request.
    for (const QString &passo : {QStringLiteral("1"), QStringLiteral("1.1")}) {
        if (RecebeIdentificacao(m_porta, m_quadro, TimeoutIdentificacao)) {
            m_interfaceIdentificada = 1;
            m_falhas = 0;
            resultado = true;
            m_painel.Loga(QStringLiteral("Identificação: %1 - OK").arg(passo));
            m_painel.Loga(QuadroHex(m_quadro));
            m_painel.Loga(QStringLiteral("<---- Identificação"));
            return;
        }
    }
    Soma(m_falhas);
    m_painel.Loga(QStringLiteral("Identificação: 1 - ERRO"));
    m_painel.Loga(QuadroHex(m_quadro));
    m_painel.Loga(QStringLiteral("<---- Identificação"));
}

void SupervisaoInterface::MostraEstadoPorta()
{
    const QString porta = m_painel.PortaCOM();
    if (porta.isEmpty()) {
        m_painel.MostraPorta(QStringLiteral(" Não Ident."), TextoNaoIdentificada, LarguraLedSemPorta);
        return;
    }
    m_painel.MostraPorta(QStringLiteral("    ") + porta,
                         QStringLiteral("Interface do Vyrax-PRO conectada a %1!").arg(porta), LarguraLedComPorta);
}

void SupervisaoInterface::AutoIdentifica()
{
    m_autoIdentificacaoAtiva = true;
    m_painel.Loga(QStringLiteral("----> AutoIdentificação"));
    TPorta temporaria;
    TQuadro quadro{};
    for (qsizetype i = m_listaPortas.size() - 1; i >= 0 && m_interfaceIdentificada == 0; --i) {
        const QString &nome = m_listaPortas[i];
        m_painel.Loga(QStringLiteral("AutoIdentificação - 0"));
        m_painel.Loga(QStringLiteral("AutoIdentificação - 1"));
        if (!AbrePortaInterface(temporaria, nome)) {
            m_painel.Loga(QStringLiteral("AutoIdentificação - 2 - ERRO"));
            m_painel.Loga(nome);
            continue;
        }
        m_painel.Loga(QStringLiteral("AutoIdentificação - 2 - OK"));
        m_painel.Loga(nome);
        // Whatever the device was doing (a stream left running) is stopped first.
        temporaria->SetDTR(false);
        Pausa(PausaPedidos);
        LimpaBuffers(temporaria);
        Pausa(PausaPedidos);
        EnviaComando(temporaria, ComandoParar);
        Pausa(PausaPedidos);
        LimpaBuffers(temporaria);
        temporaria->SetDTR(true);
        LimpaBuffers(temporaria);
        LimpaQuadro(quadro);

        // Any valid identify reply will do here; the ping checks what it says.
        if (!EnviaComando(temporaria, ComandoIdentificar) ||
            !RecebeQuadro(temporaria, quadro, FuncaoIdentificar, TimeoutIdentificacao)) {
            m_painel.Loga(QStringLiteral("AutoIdentificação - 3 - ERRO"));
            m_painel.Loga(QuadroHex(quadro));
        } else {
            m_painel.Loga(QStringLiteral("AutoIdentificação - 3 - OK"));
            m_painel.Loga(QuadroHex(quadro));
            ::FechaPorta(temporaria);
            if (AbrePortaInterface(m_porta, nome)) {
                m_painel.Loga(QStringLiteral("AutoIdentificação - 4 - OK"));
                m_porta->SetDTR(true);
                m_painel.DefinePortaCOM(nome);
                LimpaBuffers(m_porta);
                m_interfaceIdentificada = 1;
            } else {
                m_painel.Loga(QStringLiteral("AutoIdentificação - 4 - ERRO"));
                m_painel.Loga(nome);
            }
        }
        ::FechaPorta(temporaria);
    }
    if (m_interfaceIdentificada != 0) {
        RegistroIni registro(ChaveVyrax);
        if (!registro.WriteString(SecaoDados, QStringLiteral("Porta"), m_painel.PortaCOM()))
            m_painel.Loga(QStringLiteral("Porta não gravada: %1").arg(registro.UltimoErro()));
    }
    ::FechaPorta(temporaria);
    m_autoIdentificacaoAtiva = false;
    m_painel.Loga(QStringLiteral("<---- AutoIdentificação"));
}

void SupervisaoInterface::LiberaPorta()
{
    EnviaComando(m_porta, ComandoParar);
    ::FechaPorta(m_porta);
}

void SupervisaoInterface::Reidentifica()
{
    m_interfaceIdentificada = 0;
    if (!AbrePortaInterface(m_porta, m_painel.PortaCOM()))
        return;
    m_porta->SetDTR(false);
    Pausa(PausaPedidos);
    LimpaBuffers(m_porta);
    EnviaComando(m_porta, ComandoIdentificar);
    if (RecebeQuadro(m_porta, m_quadro, FuncaoIdentificar, TimeoutReconexao))
        m_interfaceIdentificada = 1;
}

void SupervisaoInterface::FechaPorta()
{
    ::FechaPorta(m_porta);
}

void SupervisaoInterface::ReabrePorta()
{
    AbrePortaInterface(m_porta, m_painel.PortaCOM());
}
