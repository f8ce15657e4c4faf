// Step 15 of the engine: rests between cycles, changes of side and the end
// of the test, per scheme.

#include "MotorAvaliacao.h"

namespace {

const QString Direita = QStringLiteral("Direita");
const QString Esquerda = QStringLiteral("Esquerda");
const QString SemLateralidade = QStringLiteral("Sem Lateralidade");

// The side a change of side goes to: "Direita" unless the side it leaves is.
const QString &LadoOposto(const QString &lado)
{
    return lado != Direita ? Direita : Esquerda;
}

} // namespace

void MotorAvaliacao::Sequencia(int n, RegistroAmostra &r)
{
    const int reps = m_cfg.NumeroRepeticao;
    const RegistroAmostra *p = n > 0 ? &m_amostras[n - 1] : nullptr;
    const bool inverteu = MudouSinal(n, r) || (p && p->Pulso != m_sentido);

    switch (m_cfg.esquema) {
    case Esquema::E1:
        if (m_pedidoPausa) {
            m_pedidoPausa = false;
            if (r.Pulso != SinalReferencia())
                MudaCiclos(m_contadorCiclos + 1);
            AbrePausa(r);
        }
        if (m_encerrada)
            return;
        if (m_fimTeste || (m_ladoContrario && m_contadorCiclos == reps + 1 && m_ladoCompleto && inverteu)) {
            m_ladoCompleto = false;
            if (!m_fimTeste)
                MudaCiclos(m_contadorCiclos - 1);
            Termina(QStringLiteral("FIM 1.s"), Cor::Vermelho);
        } else if (m_ladoCompleto && !m_ladoContrario) {
            TrocaLado1(n, r);
        }
        return;
    case Esquema::E2:
        if (m_pedidoPausa) {
            m_pedidoPausa = false;
            AbrePausa(r);
            MudaCiclos(m_contadorCiclos + 1);
        }
        if (m_encerrada)
            return;
        if (m_fimTeste || (m_contadorCiclos == reps + 1 && r.KGF == 0 && inverteu)) {
            if (!m_fimTeste)
                MudaCiclos(m_contadorCiclos - 1);
            Termina(QStringLiteral("FIM 2.s"), Cor::Vermelho);
        }
        return;
    case Esquema::E5i:
        if (m_trocaLado)
            TrocaLado5i(n);
        return;
    case Esquema::E4s:
        if (m_pedidoPausa)
            AbrePausa(r);
        if (m_encerrada)
            return;
        if (m_trocaLado)
            TrocaLado4s(n);
        if (m_encerrada)
            return;
        if (m_fimTeste) {
            m_painel.ColoreSerie(Cor::Verde);
            Termina(QStringLiteral("FIM 4.s"), Cor::Verde);
        }
        return;
    case Esquema::E5s:
        if (m_pedidoPausa && n > 0)
            AbrePausa(r);
        if (m_encerrada)
            return;
        if (m_fimTeste)
            Termina(QStringLiteral("FIM 5.s"), Cor::Verde);
        return;
    case Esquema::E4i:
        if (p && r.KGF == 0 && p->KGF != 0)
            TrocaLado4i(r);
        return;
    case Esquema::Nenhum: return;
    }
}

void MotorAvaliacao::Termina(const QString &etiqueta, Cor corUltimoPonto)
{
    m_leitura.ParaLeitura();
    m_painel.ColoreUltimoPonto(corUltimoPonto);
    m_ultimoL133 = nullptr;
    m_painel.MostraContracao(etiqueta);
    Encerra({MotivoFim::Esquema, etiqueta});
}

bool MotorAvaliacao::MostraJanela(const DadosJanela &dados)
{
    m_leitura.ZeraEntradaLote();
    m_naoPlota = true;
    if (m_painel.AbreJanela(dados) == RespostaJanela::Cancelar) {
        Encerra({MotivoFim::Cancelada, {}});
        return false;
    }
    if (!m_leitura.IniciaLeitura()) {
        Encerra({MotivoFim::FalhaReinicio, {}});
        return false;
    }
    return true;
}

// The rest between cycles of an intermittent test.
void MotorAvaliacao::AbrePausa(const RegistroAmostra &r)
{
    const int reps = m_cfg.NumeroRepeticao;
    RefrescaRelogio();
    m_leitura.ParaLeitura();
    m_ultimoL133 = &m_aguardando;
    m_painel.MostraContracao(m_aguardando);
    const Esquema e = m_cfg.esquema;
    const bool doisSentidos = e == Esquema::E1 || e == Esquema::E2 || e == Esquema::E5i;
    m_painel.ColoreUltimoPonto(doisSentidos ? Cor::Vermelho : Cor::Verde);

    DadosJanela d;
    d.tipo = DadosJanela::Tipo::Intervalo;
    d.SegundosRestantes = m_cfg.TempoIntervalo;
    d.ProximaLateral = r.Lateral == SemLateralidade ? QStringLiteral("S / L") : r.Lateral == Direita ? Direita : Esquerda;
    d.ProximaContracao = m_cfg.IniciaContracao;
    switch (e) {
    case Esquema::E1:
        m_contracoesCompletas += 2;
        if (m_ladoContrario)
            ++m_ciclosCompletos;
        d.CiclosRestantes = reps - m_ciclosCompletos;
        d.ContracoesRestante = 4 * reps - m_contracoesCompletas;
        break;
    case Esquema::E2:
        ++m_ciclosCompletos;
        m_contracoesCompletas += 2;
        d.CiclosRestantes = reps - m_ciclosCompletos;
        d.ContracoesRestante = 2 * reps - m_contracoesCompletas;
        break;
    case Esquema::E4s:
        ++m_contracoesCompletas;
        if (r.Lateral == m_cfg.LateralContraria)
            ++m_ciclosCompletos;
        d.CiclosRestantes = reps / 2 - m_ciclosCompletos;
        d.ContracoesRestante = reps - m_contracoesCompletas;
        break;
    default:
        ++m_ciclosCompletos;
        ++m_contracoesCompletas;
        d.CiclosRestantes = reps - m_ciclosCompletos;
        d.ContracoesRestante = reps - m_ciclosCompletos;
        break;
    }
    d.CiclosCompletos = m_ciclosCompletos;
    d.ContracoesCompletas = m_contracoesCompletas;
    m_pedidoPausa = false;

    MostraJanela(d);
    m_testeIniciado = false;
    m_aguardandoContracao = true;
}

void MotorAvaliacao::TrocaLado1(int n, RegistroAmostra &r)
{
    const int reps = m_cfg.NumeroRepeticao;
    m_painel.ColoreUltimoPonto(Cor::Vermelho);
    m_ladoCompleto = false;
    if (r.Lateral == SemLateralidade) {
        // No second side: the test ends here.
        m_leitura.ParaLeitura();
        MudaCiclos(m_contadorCiclos - 1);
        m_ultimoL133 = nullptr;
        const QString etiqueta = QStringLiteral("FIM 1.s");
        m_painel.MostraContracao(etiqueta);
        Encerra({MotivoFim::Esquema, etiqueta});
        return;
    }
    r.Pulso = m_sentido;
    m_leitura.ParaLeitura();

    DadosJanela d;
    d.tipo = DadosJanela::Tipo::TrocaLado;
    d.SegundosRestantes = m_cfg.TempoTrocaDirEsq;
    d.ProximaLateral = LadoOposto(r.Lateral);
    const bool jaContraria = n > 0 && m_amostras[n - 1].Contracao_Texto == m_cfg.ContracaoContraria;
    d.ProximaContracao = jaContraria ? m_cfg.IniciaContracao : m_cfg.ContracaoContraria;
    if (!m_cfg.Intermitente) {
        d.ContracoesRestante = 2 * reps;
        d.ContracoesCompletas = 2 * reps;
        d.CiclosRestantes = reps;
        d.CiclosCompletos = m_ciclosCompletos;
    } else {
        m_contracoesCompletas += 2;
        d.CiclosCompletos = m_ciclosCompletos;
        d.ContracoesCompletas = m_contracoesCompletas;
        d.CiclosRestantes = reps - m_ciclosCompletos;
        d.ContracoesRestante = 4 * reps - m_contracoesCompletas;
    }
    MudaCiclos(1);

    MostraJanela(d);
    m_aguardandoContracao = true;
    m_testeIniciado = false;
    m_ladoContrario = true;
}

void MotorAvaliacao::TrocaLado4s(int n)
{
    const int reps = m_cfg.NumeroRepeticao;
    m_trocaLado = false;
    m_painel.ColoreSerie(Cor::Verde);
    m_leitura.ParaLeitura();

    DadosJanela d;
    d.tipo = DadosJanela::Tipo::TrocaLado;
    d.SegundosRestantes = m_cfg.TempoTrocaDirEsq;
    ++m_contracoesCompletas;
    d.ProximaLateral = LadoOposto(m_amostras[n - 1].Lateral);
    --m_totalContracoes;
    if (!m_cfg.Intermitente) {
        d.ContracoesRestante = reps / 2;
        d.ContracoesCompletas = reps / 2;
    } else {
        d.ContracoesRestante = m_totalContracoes - 1;
        d.ContracoesCompletas = m_contracoesCompletas;
    }
    d.ProximaContracao = m_cfg.IniciaContracao;
    d.CiclosRestantes = reps - m_contadorCiclos;
    d.CiclosCompletos = m_ciclosCompletos;

    if (!MostraJanela(d))
        return;
    m_primeiroLado = false;
    m_testeIniciado = false;
    m_aguardandoContracao = true;
    MudaCiclos(1);
}

void MotorAvaliacao::TrocaLado5i(int n)
{
    const int reps = m_cfg.NumeroRepeticao;
    m_naoPlota = true;
    m_painel.ColoreUltimoPonto(Cor::Vermelho);
    m_trocaLado = false;
    m_leitura.ParaLeitura();

    if (m_totalContracoes != 0) {
        m_contracoesCompletas += 2;
        if (++m_trocas5i % 2 == 0) {
            MudaCiclos(m_contadorCiclos + 1);
            ++m_ciclosCompletos;
        }
        const RegistroAmostra &p = m_amostras[n - 1];
        DadosJanela d;
        d.tipo = DadosJanela::Tipo::TrocaLado;
        d.SegundosRestantes = m_cfg.TempoTrocaDirEsq;
        d.ProximaLateral = LadoOposto(p.Lateral);
        d.ProximaContracao =
            p.Contracao_Texto == m_cfg.IniciaContracao ? m_cfg.ContracaoContraria : m_cfg.IniciaContracao;
        d.ContracoesRestante = m_totalContracoes;
        d.CiclosRestantes = reps - m_ciclosCompletos;
        d.CiclosCompletos = m_ciclosCompletos;
        d.ContracoesCompletas = m_contracoesCompletas;
        MostraJanela(d);
        // The side after the one just finished.
        const bool deixouDireita = p.Lateral == Direita;
        m_lado5iContrario = m_cfg.PrimeiroLadoDireita ? deixouDireita : !deixouDireita;
        m_aguardandoContracao = true;
        m_testeIniciado = false;
        return;
    }
    m_ultimoL133 = nullptr;
    const QString etiqueta = QStringLiteral("FIM 5.i");
    m_painel.MostraContracao(etiqueta);
    Encerra({MotivoFim::Esquema, etiqueta});
    m_aguardandoContracao = true;
    m_testeIniciado = false;
}

void MotorAvaliacao::TrocaLado4i(RegistroAmostra &r)
{
    const int reps = m_cfg.NumeroRepeticao;
    if (++m_contracoesCompletas % 2 == 0)
        ++m_ciclosCompletos;
    m_testeIniciado = false;
    m_aguardandoContracao = true;
    m_ladoAlternado ^= 1;
    if (m_ladoAlternado == 0)
        MudaCiclos(m_contadorCiclos + 1);
    m_leitura.ParaLeitura();

    if (m_contadorCiclos == reps + 1 && r.Lateral != m_cfg.IniciaLateral) {
        m_ultimoL133 = nullptr;
        const QString etiqueta = QStringLiteral("FIM 4.i");
        m_painel.MostraContracao(etiqueta);
        MudaCiclos(m_contadorCiclos - 1);
        m_painel.ColoreUltimoPonto(Cor::Verde);
        Encerra({MotivoFim::Esquema, etiqueta});
        return;
    }
    if (m_contracoesCompletas % 2 == 0 && m_ciclosJanela4i + 1 < reps)
        ++m_ciclosJanela4i;
    --m_totalContracoes;

    DadosJanela d;
    d.tipo = DadosJanela::Tipo::TrocaLado;
    d.SegundosRestantes = m_cfg.TempoTrocaDirEsq;
    d.CorJanela = false;
    d.ProximaContracao = m_cfg.IniciaContracao;
    d.ContracoesRestante = m_totalContracoes;
    d.CiclosRestantes = reps - m_ciclosJanela4i;
    d.CiclosCompletos = m_ciclosCompletos;
    d.ContracoesCompletas = m_contracoesCompletas;
    d.ProximaLateral = LadoOposto(r.Lateral);
    MostraJanela(d);
}
