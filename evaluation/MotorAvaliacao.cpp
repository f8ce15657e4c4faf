#include "MotorAvaliacao.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// A demonstration value goes through its text form, as the stored recording
// does, so it carries at most 15 significant digits.
double PassaPorTexto(double valor)
{
    char texto[32];
    const auto escrito = std::to_chars(texto, texto + sizeof texto, valor, std::chars_format::general, 15);
    double lido = valor;
    std::from_chars(texto, escrito.ptr, lido);
    return lido;
}

const char *const TagsEsq[6][2] = {
    {"1P.s", "1N.s"}, {"2P.s", "2N.s"}, {"4P.s", "4N.s"}, {"4P.i", "4N.i"}, {"5P.s", "5N.s"}, {"5P.i", "5N.i"},
};

int IndiceEsquema(Esquema e)
{
    switch (e) {
    case Esquema::E1: return 0;
    case Esquema::E2: return 1;
    case Esquema::E4s: return 2;
    case Esquema::E4i: return 3;
    case Esquema::E5s: return 4;
    case Esquema::E5i: return 5;
    case Esquema::Nenhum: break;
    }
    return 0;
}

bool DoisSentidos(Esquema e)
{
    return e == Esquema::E1 || e == Esquema::E2 || e == Esquema::E5i;
}

} // namespace

MotorAvaliacao::MotorAvaliacao(PainelAvaliacao &painel, ControleLeitura &leitura)
    : m_painel(painel), m_leitura(leitura), m_amostras(LimiteAmostras + 1)
{
}

void MotorAvaliacao::Inicia(const ConfiguracaoTeste &configuracao, double pesoKg)
{
    m_cfg = configuracao;
    m_peso = pesoKg;
    // Every record the previous evaluation wrote, the one after its last
    // kept sample included (the closing row of a save reads it); the records
    // beyond were never written.
    const auto usados = std::min(m_amostras.size(), std::size_t(m_numAmostras) + 1);
    std::fill(m_amostras.begin(), m_amostras.begin() + std::ptrdiff_t(usados), RegistroAmostra{});
    m_numAmostras = 0;
    m_emNewtons = m_cfg.Forca == QLatin1String("N");

    const QString *contracoes[2] = {&m_cfg.IniciaContracao, &m_cfg.ContracaoContraria};
    const QString *lados[2] = {&m_cfg.IniciaLateral, &m_cfg.LateralContraria};
    for (int c = 0; c < 2; ++c)
        for (int l = 0; l < 2; ++l)
            m_l133[c][l] = *contracoes[c] + u' ' + *lados[l];
    m_ultimoL133 = nullptr;
    m_ultimoEsq = nullptr;
    m_ultimoLed = -1;

    m_sentido = 'P';
    m_testeIniciado = false;
    m_aguardandoContracao = false;
    m_sinalInvertido = false;
    m_ladoContrario = false;
    m_positivo = 0;
    m_negativo = 0;
    m_ativaP = true;
    m_ativaN = false;
    m_pInvalido = false;
    m_nInvalido = true;
    m_emContracao = m_cfg.esquema == Esquema::E4s || m_cfg.esquema == Esquema::E4i;
    m_pico = 0;
    m_tempoPico = 0;
    m_amostraPico = 0;
    m_soma = 0;
    m_contagem = 0;
    m_numeroContracao = 0;
    m_indiceContracao = 1;
    m_numeroContracaoExibido = 1;
    m_processadas = 0;
    m_desdeRelogio = 0;
    m_amostrasIndice = 0;
    m_amGeral = 1;
    m_relogioMinutos = 0;
    m_relogioSegundos = 0;
    m_maximoExibido = 0;
    m_naoPlota = false;
    m_encerrada = false;

    m_contadorCiclos = 1;
    m_totalContracoes = m_cfg.TotalContracoes;
    m_pedidoPausa = false;
    m_ladoCompleto = false;
    m_fimTeste = false;
    m_trocaLado = false;
    m_primeiroLado = true;
    m_ladosCompletos = 0;
    m_ladoAlternado = 0;
    m_lado5iContrario = false;
    m_trocas5i = 0;
    m_ciclosCompletos = 0;
    m_contracoesCompletas = 0;
    m_ciclosJanela4i = 0;

    m_painel.MostraCiclos(m_contadorCiclos);
    m_painel.MostraNumeroContracao(m_numeroContracaoExibido);
    m_painel.AtualizaRelogio(0, 0);
}

void MotorAvaliacao::ProcessaAmostra(double AmostraAtual)
{
    if (m_encerrada)
        return;
    const int n = m_numAmostras;
    RegistroAmostra &r = m_amostras[n];

    // 1. The raw sample and its sign; an exact 0 keeps a previous "N".
    const double bruto = (m_cfg.Demonstracao ? PassaPorTexto(AmostraAtual) : AmostraAtual) + 0.0;
    r.KGF = bruto;
    if (bruto < 0)
        r.Pulso = 'N';
    else if (bruto > 0)
        r.Pulso = 'P';
    else
        r.Pulso = (n > 0 && m_amostras[n - 1].Pulso == 'N') ? 'N' : 'P';

    // 2. Display value.
    const double exibido = std::fabs(m_emNewtons ? bruto * FatorNewton : bruto);

    // 3. Waiting and start.
    EsperaEInicio(n, r);

    // 4. "4i" with a positive reference: a sample against the direction is
    // masked even while the test is not running.
    if (m_cfg.esquema == Esquema::E4i && SinalReferencia() == 'P' && n > 0 && r.Pulso != m_sentido) {
        Mascara(r);
        r.Pulso = m_sentido;
    }

    // 5. Not running: the record is neither counted nor kept.
    if (!m_testeIniciado)
        return;

    // 6. Sign normalisation: the reference direction is stored positive.
    if (SinalReferencia() == 'N') {
        m_sinalInvertido = true;
        r.KGF = 0.0 - r.KGF;
        if (m_cfg.esquema == Esquema::E4i && n > 0 && r.Pulso != m_sentido) {
            Mascara(r);
            r.Pulso = m_sentido;
        }
    }

    // 7. Samples of the running test: the clock and Tempo_Total count them.
    ++m_processadas;

    // 8. Force display with the highest value shown so far.
    if (exibido > m_maximoExibido)
        m_maximoExibido = exibido;
    m_painel.MostraForca(r.KGF, m_maximoExibido);

    // 9. Scheme branch.
    const char *esq = TagsEsq[IndiceEsquema(m_cfg.esquema)][r.Pulso == 'P' ? 0 : 1];
    if (esq != m_ultimoEsq) {
        m_ultimoEsq = esq;
        m_painel.MostraRamo(QString::fromLatin1(esq));
    }
    switch (m_cfg.esquema) {
    case Esquema::E1:
    case Esquema::E2:
    case Esquema::E5i: RamoDoisSentidos(n, r); break;
    case Esquema::E4s: Ramo4s(n, r); break;
    case Esquema::E5s: Ramo5s(n, r); break;
    case Esquema::E4i: Ramo4i(r); break;
    case Esquema::Nenhum: break;
    }

    // 10. Bookkeeping and the mean.
    Escrituracao(n, r);

    // 11. Live chart.
    if (m_naoPlota) {
        m_naoPlota = false;
    } else {
        const Cor cor = r.Intervalo != 0 ? Cor::Azul : (r.Pulso == SinalReferencia() ? Cor::Verde : Cor::Vermelho);
        m_painel.PontoGrafico(r.KGF, cor);
    }

    // 12. Completion of the running contraction.
    if (CompletaContracao(n, r))
        ResumeContracao(n, r);

    // 13. Per-contraction curves.
    if (r.Intervalo == 0) {
        const bool contraria = r.Pulso != SinalReferencia();
        m_painel.PontoContracao(contraria ? -r.KGF : r.KGF, contraria, r.Lateral);
    }

    // 14. Peak and Am_Contracao.
    AtualizaPico(n, r, bruto < 0);
    r.Am_Contracao = (n > 0 && r.Contracao_Numero == m_amostras[n - 1].Contracao_Numero)
                         ? m_amostras[n - 1].Am_Contracao + 1
                         : 1;

    // 15. Rests, changes of side, ends.
    Sequencia(n, r);

    // 16. Direction flags on screen, derived units of a changed force, the
    // record kept.
    m_painel.MostraDiagnostico({m_positivo, m_negativo, m_ativaP, m_ativaN, m_pInvalido, m_nInvalido});
    if (r.KGF != m_kgfEscriturado)
        Derivados(r);
    ++m_amGeral;
    ++m_numAmostras;
}

void MotorAvaliacao::Figuras(double kgf, double &KGF, double &N, double &KGF_KG, double &N_KG, double &KGFM,
                             double &NM, double &KGFM_KG, double &NM_KG) const
{
    KGF = kgf;
    N = kgf * FatorNewton;
    N_KG = N / m_peso;
    KGF_KG = kgf / m_peso;
    KGFM = kgf * m_cfg.Alavanca;
    NM = N * m_cfg.Alavanca;
    KGFM_KG = KGFM / m_peso;
    NM_KG = NM / m_peso;
}

void MotorAvaliacao::Derivados(RegistroAmostra &r) const
{
    Figuras(r.KGF, r.KGF, r.N, r.KGF_KG, r.N_KG, r.KGFM, r.NM, r.KGFM_KG, r.NM_KG);
}

void MotorAvaliacao::RefrescaRelogio()
{
    m_desdeRelogio = 0;
    if (m_cfg.Frequencia <= 0)
        return;
    const int segundos = m_processadas / m_cfg.Frequencia;
    m_relogioMinutos = segundos / 60;
    m_relogioSegundos = segundos % 60;
    m_painel.AtualizaRelogio(m_relogioMinutos, m_relogioSegundos);
}

void MotorAvaliacao::Escrituracao(int n, RegistroAmostra &r)
{
    RegistroAmostra *p = n > 0 ? &m_amostras[n - 1] : nullptr;
    const RegistroAmostra *pp = n > 1 ? &m_amostras[n - 2] : nullptr;
    const double f = m_cfg.Frequencia;

    r.Am_Geral = m_amGeral;
    r.Tempo_Total = m_processadas / f;
    r.Ciclo = m_contadorCiclos;
    r.Contracao_Valida = m_indiceContracao;
    r.Tempo_Amostra = f;
    Copia(r.Articulacao, m_cfg.Articulacao);
    Copia(r.Equipamento, m_cfg.Equipamento);
    Copia(r.Transdutor, m_cfg.Transdutor);
    Derivados(r);
    m_kgfEscriturado = r.KGF;

    if (++m_desdeRelogio == m_cfg.Frequencia)
        RefrescaRelogio();

    if (p && r.Contracao_Valida != p->Contracao_Valida)
        m_amostrasIndice = 1;
    else
        ++m_amostrasIndice;
    r.Tempo_Contracao = m_amostrasIndice / f;

    const bool e5i = m_cfg.esquema == Esquema::E5i;
    if (!p) {
        if (!e5i)
            ++m_numeroContracao;
    } else if (DoisSentidos(m_cfg.esquema)) {
        if (!m_cfg.Intermitente) {
            if (r.Pulso != p->Pulso)
                ++m_numeroContracao;
            if (r.Contracao_Texto != p->Contracao_Texto && p->KGF == 0 && p->Contracao_Numero == m_numeroContracao)
                ++m_numeroContracao;
        } else if (p->KGF == 0 || r.Contracao_Texto != p->Contracao_Texto) {
            ++m_numeroContracao;
            if (pp)
                p->Ciclo = pp->Ciclo;
        }
    } else if (!m_cfg.Intermitente) {
        if ((p->Intervalo == 0 && r.Intervalo != 0) || r.Pulso != p->Pulso)
            ++m_numeroContracao;
    } else if (p->KGF == 0) {
        ++m_numeroContracao;
        if (pp) {
            p->Ciclo = pp->Ciclo;
            p->Intervalo = pp->Intervalo + 1;
        }
    }
    r.Contracao_Numero = m_numeroContracao;

    if (!p)
        r.Am_Ciclo = e5i ? 0 : 1;
    else if (!m_cfg.Intermitente)
        r.Am_Ciclo = r.Ciclo == p->Ciclo ? p->Am_Ciclo + 1 : 1;
    else
        r.Am_Ciclo = p->KGF != 0 ? p->Am_Ciclo + 1 : 1;

    // The mean runs over the sample that completed the previous contraction
    // plus the samples that continue its sign.
    if (!p) {
        m_soma = std::fabs(r.KGF);
        m_contagem = 1;
    } else if (r.Intervalo == 0 && r.Pulso == p->Pulso) {
        m_soma += std::fabs(r.KGF);
        if (r.KGF != 0)
            ++m_contagem;
    }
}

bool MotorAvaliacao::CompletaContracao(int n, const RegistroAmostra &r) const
{
    if (n == 0)
        return false;
    const RegistroAmostra &p = m_amostras[n - 1];
    const Esquema e = m_cfg.esquema;
    const bool ti = m_cfg.Intermitente;
    const bool mudou = r.Pulso != p.Pulso;
    if (e == Esquema::E1 && p.Intervalo == 0 && mudou)
        return true;
    if ((e == Esquema::E1 || e == Esquema::E5s || e == Esquema::E4s || e == Esquema::E5i) && p.Intervalo == 0
        && r.Intervalo >= 1)
        return true;
    if (e == Esquema::E5i && r.Intervalo == 0 && mudou)
        return true;
    if ((ti || e == Esquema::E4i) && p.Intervalo == 0 && r.KGF == 0)
        return true;
    if (p.Intervalo == 0 && r.Intervalo == 1)
        return true;
    if (ti && n > 1 && p.Intervalo == 1 && m_amostras[n - 2].Intervalo == 1 && r.Intervalo == 0)
        return true;
    if (r.Intervalo == 0 && p.Intervalo == 0 && mudou)
        return true;
    return m_ladoCompleto;
}

void MotorAvaliacao::ResumeContracao(int n, const RegistroAmostra &r)
{
    RegistroAmostra &p = m_amostras[n - 1];
    m_painel.MostraNumeroContracao(++m_numeroContracaoExibido);

    const double pico = std::fabs(m_pico);
    const double media = std::fabs(m_soma) / m_contagem;
    Figuras(pico, p.KGF_MAX, p.N_MAX, p.KGF_KG_MAX, p.N_KG_MAX, p.KGFM_MAX, p.NM_MAX, p.KGFM_KG_MAX, p.NM_KG_MAX);
    Figuras(media, p.KGF_MED, p.N_MED, p.KGF_KG_MED, p.N_KG_MED, p.KGFM_MED, p.NM_MED, p.KGFM_KG_MED, p.NM_KG_MED);
    p.Tempo_Forca_Maxima = m_tempoPico;
    p.Amostra_Forca_Maxima = m_amostraPico;
    p.Duracao_Contracao = p.Tempo_Contracao;
    p.AmostrasMedia = m_contagem;

    m_painel.ContracaoCompleta(
        {m_indiceContracao, p.Pulso != SinalReferencia(), p.Lateral, pico, media, r.Tempo_Contracao});
    ++m_indiceContracao;

    // The peak time and sample stay: an empty contraction reports the last ones.
    m_pico = 0;
    m_soma = std::fabs(r.KGF);
    m_contagem = 1;
}

void MotorAvaliacao::AtualizaPico(int n, RegistroAmostra &r, bool negativo)
{
    if (n == 0) {
        m_pico = r.KGF;
        m_tempoPico = r.Tempo_Contracao;
        m_amostraPico = r.Am_Geral;
    }
    const bool contracao = r.Intervalo == 0;
    if (contracao && std::fabs(r.KGF) > m_pico) {
        m_pico = std::fabs(r.KGF);
        m_tempoPico = r.Tempo_Contracao;
        m_amostraPico = r.Am_Geral;
    }
    m_painel.MostraPico(m_pico, m_tempoPico, negativo, contracao);
}

void MotorAvaliacao::Encerra(const FimAvaliacao &fim)
{
    if (m_encerrada)
        return;
    m_encerrada = true;
    m_leitura.ParaLeitura();
    m_painel.SalvaAvaliacao(fim);
}

void MotorAvaliacao::MudaCiclos(int novo)
{
    m_contadorCiclos = novo;
    m_painel.MostraCiclos(novo);
}

void MotorAvaliacao::MostraL133(const QString &texto)
{
    if (&texto == m_ultimoL133)
        return;
    m_ultimoL133 = &texto;
    m_painel.MostraContracao(texto);
}

const QString &MotorAvaliacao::TextoL133(const QString &contracao, const QString &lateral) const
{
    const int c = &contracao == &m_cfg.IniciaContracao ? 0 : 1;
    const int l = &lateral == &m_cfg.IniciaLateral ? 0 : 1;
    return m_l133[c][l];
}
