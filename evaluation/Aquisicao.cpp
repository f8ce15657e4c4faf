#include "Aquisicao.h"

#include "TiposFuncoes.h"

#include <algorithm>
#include <cmath>

Aquisicao::Aquisicao(PainelAvaliacao &painel, MotorAvaliacao &motor)
    : m_painel(painel), m_motor(motor), m_lote(std::size_t(UltimoIndice - PrimeiroIndice + 1), 0.0)
{
}

void Aquisicao::Prepara(const ConfiguracaoTeste &configuracao)
{
    m_demonstracao = configuracao.Demonstracao;
    m_semPeso = configuracao.SemPeso;
    m_indiceCorrecao = configuracao.IndiceCorrecao;
    m_valorZerado = configuracao.ValorZerado;
    std::fill(m_lote.begin(), m_lote.end(), 0.0);
    m_processandoLote = false;
    m_lendoInterface = false;
    m_demoAtivo = false;
    ConfiguraLote(configuracao.Frequencia);
}

void Aquisicao::ConfiguraLote(int frequencia)
{
    switch (frequencia) {
    case 50: case 100: case 150: case 200: case 300: case 400: case 600:
        m_tamanhoLote = std::uint8_t(frequencia / 10);
        break;
    default: break;
    }
    // Every start begins a batch of its own: the first TamanhoLote - 1
    // samples are stored and never handed over, so the batches line up.
    m_indiceLote = -(m_tamanhoLote - 1);
    m_posLote = 1;
    m_contLote = 0;
}

void Aquisicao::DefineGravacao(std::span<const double> valores)
{
    m_gravacao = valores;
    m_contLinhaDemo = 0;
}

bool Aquisicao::ConfiguraLeitura(int frequencia, bool zerando)
{
    if (PortaAberta())
        (*m_porta)->SetDTR(true);
    const bool conhecida = std::find(FrequenciasAmostragem.begin(), FrequenciasAmostragem.end(), frequencia)
                           != FrequenciasAmostragem.end();
    const std::uint8_t modo = zerando ? ModoAutomatico : std::uint8_t(ModoAutomatico | ModoSemZerar);
    MontaConfiguracao(m_quadro, conhecida ? std::uint16_t(frequencia) : std::uint16_t(0), modo);
    ConfiguraLote(frequencia);
    return m_porta && EnviaQuadro(*m_porta, m_quadro, TamanhoConfiguracao)
           && RecebeQuadro(*m_porta, m_quadro, FuncaoConfigurar, 1000);
}

bool Aquisicao::IniciaLeitura()
{
    if (m_demonstracao) {
        m_demoAtivo = true;
        m_lendoInterface = true;
        m_painel.AtivaColeta(true);
        return true;
    }
    if (!PortaAberta())
        return false;
    LimpaBuffers(*m_porta);
    (*m_porta)->SetDTR(true);
    if (!EnviaComando(*m_porta, ComandoIniciar) || !RecebeQuadro(*m_porta, m_quadro, FuncaoIniciar, 2000)) {
        m_painel.FalhaIniciarLeitura();
        return false;
    }
    m_lendoInterface = true;
    m_painel.AtivaColeta(true);
    return true;
}

void Aquisicao::ParaLeitura()
{
    m_posLote = m_indiceLote;
    m_painel.AtivaColeta(false);
    m_lendoInterface = false;
    m_demoAtivo = false;
    if (!m_porta)
        return;
    EnviaComando(*m_porta, ComandoParar);
    if (!m_demonstracao && PortaAberta())
        (*m_porta)->SetDTR(false);
}

void Aquisicao::ZeraEntradaLote()
{
    Lote(m_posLote) = 0;
}

void Aquisicao::ColetaAmostras()
{
    if (!m_lendoInterface)
        return;
    if (!m_demonstracao && !m_processandoLote && PortaAberta())
        LeQuadro();
    if (m_demoAtivo)
        PassoDemo();
    VerificaFim();
}

// One frame within 50 ms; anything but a sample is skipped.
void Aquisicao::LeQuadro()
{
    if (RecebeQuadro(*m_porta, m_quadro, 0, 50) && m_quadro[PosFuncao] == FuncaoLer)
        RecebeLeitura(ValorAmostra(m_quadro.data()));
}

// The bounds of a batch are fixed when its hand-over starts: a window
// opened by the engine inside it does not shorten it, and the samples after
// the window reach the engine while it waits for the next effort. Nothing
// is handed over once the evaluation has ended.
void Aquisicao::EntregaLote(int inicio, int fim)
{
    for (int i = inicio; i <= fim && !m_motor.Encerrada(); ++i) {
        m_amostraAtual = Lote(i);
        if (m_motor.NumAmostras() < LimiteAmostras)
            m_motor.ProcessaAmostra(m_amostraAtual);
    }
}

void Aquisicao::RecebeLeitura(std::uint32_t bruto)
{
    m_amostraAtual = Converte(bruto, m_semPeso, m_indiceCorrecao, m_valorZerado);
    ++m_indiceLote;
    Lote(m_indiceLote) = m_amostraAtual;
    ++m_contLote;
    if (m_contLote < m_tamanhoLote)
        return;
    m_processandoLote = true;
    EntregaLote(m_posLote, m_indiceLote);
    m_indiceLote = 0;
    m_posLote = 1;
    m_contLote = 0;
    m_processandoLote = false;
}

void Aquisicao::PassoDemo()
{
    if (m_contLinhaDemo >= m_gravacao.size()) {
        // The recording is exhausted: the evaluation ends here, and nothing
        // is replayed after the save.
        m_demoAtivo = false;
        m_motor.Encerra({MotivoFim::Valores, {}});
        return;
    }
    const double valor = m_gravacao[m_contLinhaDemo];
    if (!std::isnan(valor))
        Lote(m_indiceLote) = valor;
    ++m_contLinhaDemo;
    ++m_indiceLote;
    ++m_contLote;
    if (m_contLote < m_tamanhoLote)
        return;
    // The replay buffer is not rewound after a batch: IndiceLote follows the
    // line number.
    EntregaLote(m_posLote, m_indiceLote - 1);
    m_posLote = m_indiceLote;
    m_contLote = 0;
    // A recording longer than the buffer starts over at its beginning once
    // a batch is fully handed over, cleared as it was at the start.
    if (m_indiceLote + m_tamanhoLote > UltimoIndice) {
        std::fill(m_lote.begin(), m_lote.end(), 0.0);
        m_indiceLote = 1;
        m_posLote = 1;
    }
}

void Aquisicao::VerificaFim()
{
    if (m_motor.Encerrada())
        return;
    const ConfiguracaoTeste &c = m_motor.Configuracao();
    if (m_motor.RelogioMinutos() == c.DuracaoMinutos && m_motor.RelogioSegundos() == c.DuracaoSegundos)
        m_motor.Encerra({MotivoFim::Duracao, {}});
    else if (m_motor.NumAmostras() == LimiteAmostras)
        m_motor.Encerra({MotivoFim::Limite, {}});
    else if (m_motor.ContadorCiclos() == c.NumeroRepeticao + 1)
        m_motor.Encerra({MotivoFim::Ciclos, {}});
    else if (m_painel.TeclasEncerramento())
        m_motor.Encerra({MotivoFim::Teclas, {}});
}
