// Waiting, start and the direction tracking of each scheme: which samples
// belong to a contraction and which are pauses.

#include "MotorAvaliacao.h"

void MotorAvaliacao::EsperaEInicio(int n, RegistroAmostra &r)
{
    const double f = r.KGF;
    const double inicia = m_cfg.Inicia;
    const char sinal = r.Pulso;
    const auto led = [this](CorLed cor) {
        if (int(cor) == m_ultimoLed)
            return;
        m_ultimoLed = int(cor);
        m_painel.AjustaLedSensor(cor);
    };

    if (!m_aguardandoContracao) {
        if (f >= inicia || f <= -inicia) {
            m_sentido = SinalReferencia();
            m_testeIniciado = true;
            led(CorLed::Verde);
        }
        return;
    }

    led(CorLed::Amarelo);
    bool dispara = false;
    switch (m_cfg.esquema) {
    case Esquema::E5s:
    case Esquema::E2:
    case Esquema::E4s:
        dispara = n > 0 && sinal == SinalReferencia()
                  && ((f >= inicia && !m_sinalInvertido) || (f <= -inicia && m_sinalInvertido));
        if (!dispara && m_cfg.esquema != Esquema::E4s)
            m_testeIniciado = false;
        break;
    case Esquema::E5i:
        dispara = (f >= inicia && sinal == 'P' && m_sentido == 'P') || (f <= -inicia && sinal == 'N' && m_sentido == 'N');
        break;
    case Esquema::E1:
        dispara = sinal == m_sentido && (f >= inicia || f <= -inicia);
        break;
    case Esquema::E4i:
        if (n > 0) {
            const char anterior = m_amostras[n - 1].Pulso;
            dispara = (sinal == m_sentido && anterior == sinal && f >= inicia)
                      || (sinal == 'N' && anterior == 'N' && f <= -inicia);
        }
        break;
    case Esquema::Nenhum: break;
    }
    if (dispara) {
        m_testeIniciado = true;
        m_aguardandoContracao = false;
    }
    // Second side of "4s": an effort in the direction runs the test but
    // leaves the waiting state set.
    if (m_cfg.esquema == Esquema::E4s && !m_primeiroLado
        && ((m_sentido == 'P' && f > inicia) || (m_sentido == 'N' && f < -inicia))) {
        m_testeIniciado = true;
        m_aguardandoContracao = true;
    }
}

// ---- Schemes "1", "2", "5i": initial and contrary contractions alternate ----

void MotorAvaliacao::RamoDoisSentidos(int n, RegistroAmostra &r)
{
    const Esquema e = m_cfg.esquema;
    const QString &lado = e == Esquema::E1   ? (m_ladoContrario ? m_cfg.LateralContraria : m_cfg.IniciaLateral)
                          : e == Esquema::E2 ? m_cfg.IniciaLateral
                                             : LadoAtual5i();
    Copia(r.Lateral, lado);
    const bool textoInicial = r.Pulso == m_sentido && (e != Esquema::E1 || r.KGF != 0);
    const QString &texto = textoInicial ? m_cfg.IniciaContracao : m_cfg.ContracaoContraria;
    Copia(r.Contracao_Texto, texto);
    MostraL133(TextoL133(texto, lado));

    const double inicia = m_cfg.Inicia;
    const int anterior = IntervaloAnterior(n);

    if (r.Pulso == SinalReferencia()) {
        if (!CicloInicial(n, r))
            return;
        if (MudouSinal(n, r) && !m_nInvalido) { // (a)
            m_nInvalido = true;
            m_ativaP = false;
            m_ativaN = false;
        }
        if (r.KGF >= inicia && !m_pInvalido) { // (b)
            m_positivo = 1;
            m_nInvalido = false;
            m_ativaN = true;
        }
        if (!m_ativaP && r.KGF <= inicia) // (c)
            m_pInvalido = true;
        r.Intervalo = (m_pInvalido || m_positivo == 0) ? anterior + 1 : 0; // (d)
        if (r.KGF >= inicia && m_positivo == 0 && m_negativo == 0 && m_pInvalido && m_nInvalido) { // (e)
            m_positivo = 1;
            m_nInvalido = false;
            m_ativaN = true;
        }
        if (m_positivo == 1 && m_negativo == 0 && m_pInvalido && !m_nInvalido) { // (f)
            r.Intervalo = 0;
            m_ativaN = true;
        }
        return;
    }

    if (e == Esquema::E5i && MudouSinal(n, r) && anterior == 0)
        --m_totalContracoes;
    if (MudouSinal(n, r) && m_ativaP) { // (g)
        m_pInvalido = true;
        m_ativaP = false;
    }
    if (r.KGF <= -inicia && !m_nInvalido) { // (h)
        m_positivo = 0;
        m_negativo = 1;
        m_ativaP = true;
        m_ativaN = false;
    }
    if (r.KGF <= -inicia && m_negativo == 1 && m_positivo == 0) { // (i)
        r.Intervalo = 0;
        m_pInvalido = false;
        m_nInvalido = true;
        m_negativo = 0;
        m_ativaP = true;
    } else {
        if (m_pInvalido)
            r.Intervalo = anterior + 1;
        if (m_negativo == 1 || !m_pInvalido) {
            m_negativo = 0;
            r.Intervalo = 0;
        }
    }
    if (r.KGF <= -inicia && m_positivo == 1 && m_negativo == 0 && m_pInvalido && m_nInvalido) { // (j)
        m_positivo = 0;
        m_negativo = 0;
        m_ativaP = false;
        m_nInvalido = true;
        m_pInvalido = false;
        r.Intervalo = 0;
        m_ativaN = true;
    }
    FimDeCicloContrario(n, r);
}

// The cycle rule of an initial-direction sample right after a contrary
// contraction (the previous record a contraction sample, the sign changed).
bool MotorAvaliacao::CicloInicial(int n, RegistroAmostra &r)
{
    if (n == 0 || m_amostras[n - 1].Intervalo != 0 || !MudouSinal(n, r))
        return true;
    const RegistroAmostra &p = m_amostras[n - 1];
    const int reps = m_cfg.NumeroRepeticao;
    switch (m_cfg.esquema) {
    case Esquema::E1:
        MudaCiclos(m_contadorCiclos + 1);
        if (m_contadorCiclos == reps + 1) {
            m_ladoCompleto = true;
            Mascara(r);
        } else if (m_cfg.Intermitente) {
            m_pedidoPausa = true;
            r.KGF = 0;
            r.Contracao_Texto = p.Contracao_Texto;
        }
        return true;
    case Esquema::E2:
        if (!m_cfg.Intermitente || p.KGF == 0 || m_fimTeste) {
            MudaCiclos(m_contadorCiclos + 1);
        } else {
            Mascara(r);
            r.Contracao_Texto = p.Contracao_Texto;
            m_pedidoPausa = true;
            if (m_contadorCiclos == reps)
                MudaCiclos(m_contadorCiclos + 1);
        }
        if (m_contadorCiclos == reps + 1) {
            Mascara(r);
            m_pedidoPausa = false;
            return false;
        }
        return true;
    case Esquema::E5i:
        --m_totalContracoes;
        Mascara(r);
        m_trocaLado = true;
        return true;
    default: return true;
    }
}

// A contrary contraction that has relaxed to within MCiclo of zero closes a
// cycle, a side or the test.
void MotorAvaliacao::FimDeCicloContrario(int n, RegistroAmostra &r)
{
    const bool relaxou = r.Intervalo == 0 && r.KGF >= -m_cfg.MCiclo;
    if (!relaxou)
        return;
    const int reps = m_cfg.NumeroRepeticao;
    const QString *textoAnterior = n > 0 ? &m_amostras[n - 1].Contracao_Texto : &m_vazio;
    switch (m_cfg.esquema) {
    case Esquema::E1:
        if (n == 0)
            return;
        if (m_contadorCiclos == reps) {
            Mascara(r);
            if (m_ladoContrario) {
                if (SinalReferencia() == 'P')
                    r.Contracao_Texto = *textoAnterior;
                m_fimTeste = true;
            } else {
                m_ladoCompleto = true;
            }
        } else if (m_cfg.Intermitente) {
            Mascara(r);
            r.Contracao_Texto = *textoAnterior;
            m_pedidoPausa = true;
        }
        return;
    case Esquema::E2:
        if (m_contadorCiclos == reps) {
            Mascara(r);
            m_fimTeste = true;
        } else if (m_cfg.Intermitente && !m_fimTeste) {
            Mascara(r);
            r.Contracao_Texto = *textoAnterior;
            m_pedidoPausa = true;
        }
        return;
    case Esquema::E5i:
        if (n == 0)
            return;
        --m_totalContracoes;
        Mascara(r);
        m_trocaLado = true;
        return;
    default: return;
    }
}

// ---- Schemes "4s", "5s", "4i": only initial contractions count ----

void MotorAvaliacao::Ramo4s(int n, RegistroAmostra &r)
{
    const QString &lado = m_primeiroLado ? m_cfg.IniciaLateral : m_cfg.LateralContraria;
    Copia(r.Lateral, lado);
    if (r.Pulso == m_sentido) {
        r.Intervalo = 0;
        Copia(r.Contracao_Texto, m_cfg.IniciaContracao);
        MostraL133(TextoL133(m_cfg.IniciaContracao, lado));
    } else {
        r.Intervalo = IntervaloAnterior(n) + 1;
        Copia(r.Contracao_Texto, m_cfg.ContracaoContraria);
        MostraL133(m_vazio);
    }

    if (r.Pulso == SinalReferencia()) {
        if (r.KGF >= m_cfg.Inicia)
            m_emContracao = true;
        if (n > 0 && m_emContracao && r.KGF <= m_cfg.MCiclo) {
            m_emContracao = false;
            Repeticao4s(n, r);
        }
    } else if (n > 0 && m_emContracao && (MudouSinal(n, r) || r.KGF == 0 || r.KGF <= m_cfg.MCiclo)) {
        m_emContracao = false;
        Repeticao4s(n, r);
    }

    if (m_emContracao) {
        if (r.Pulso == m_sentido)
            r.Intervalo = 0;
    } else {
        r.Intervalo = IntervaloAnterior(n) + 1;
        MostraL133(m_vazio);
        Copia(r.Contracao_Texto, m_null);
    }
}

void MotorAvaliacao::Repeticao4s(int n, RegistroAmostra &r)
{
    const char pulsoAnterior = m_amostras[n - 1].Pulso;
    if (m_contadorCiclos != m_cfg.NumeroRepeticao / 2.0) {
        MudaCiclos(m_contadorCiclos + 1);
    } else {
        ++m_ladosCompletos;
        m_trocaLado = true;
        Mascara(r);
        r.Pulso = pulsoAnterior;
        if (m_ladosCompletos == 2) {
            m_trocaLado = false;
            m_fimTeste = true;
        }
    }
    if (m_cfg.Intermitente && !m_fimTeste && !m_trocaLado) {
        m_pedidoPausa = true;
        Mascara(r);
        r.Pulso = pulsoAnterior;
    }
}

void MotorAvaliacao::Ramo5s(int n, RegistroAmostra &r)
{
    Copia(r.Lateral, m_cfg.IniciaLateral);
    if (r.Pulso == m_sentido) {
        Copia(r.Contracao_Texto, m_cfg.IniciaContracao);
        MostraL133(TextoL133(m_cfg.IniciaContracao, m_cfg.IniciaLateral));
    } else {
        Copia(r.Contracao_Texto, m_null);
        MostraL133(m_vazio);
        r.Intervalo = IntervaloAnterior(n) + 1;
    }

    if (r.Pulso == SinalReferencia()) {
        if (r.KGF >= m_cfg.Inicia)
            m_emContracao = true;
        if (m_emContracao && r.KGF <= m_cfg.MCiclo && r.Intervalo == 0 && n > 0 && r.Pulso == m_sentido)
            Repeticao5sInicial(n, r);
    } else if (m_emContracao && n > 0 && (MudouSinal(n, r) || r.KGF == 0)) {
        m_emContracao = false;
        Repeticao5sContraria(n, r);
    }

    if (!m_emContracao) {
        r.Intervalo = IntervaloAnterior(n) + 1;
        MostraL133(m_vazio);
        Copia(r.Contracao_Texto, m_null);
    }
}

void MotorAvaliacao::Repeticao5sInicial(int, RegistroAmostra &r)
{
    if (m_contadorCiclos == m_cfg.NumeroRepeticao) {
        Mascara(r);
        MudaCiclos(m_contadorCiclos - 1);
        m_fimTeste = true;
    }
    MudaCiclos(m_contadorCiclos + 1);
    m_emContracao = false;
    if (m_cfg.Intermitente && !m_fimTeste) {
        Mascara(r);
        m_pedidoPausa = true;
        m_emContracao = true;
    }
}

void MotorAvaliacao::Repeticao5sContraria(int, RegistroAmostra &r)
{
    if (m_contadorCiclos == m_cfg.NumeroRepeticao) {
        Mascara(r);
        m_fimTeste = true;
    } else {
        MudaCiclos(m_contadorCiclos + 1);
    }
    if (m_cfg.Intermitente && !m_fimTeste) {
        Mascara(r);
        m_pedidoPausa = true;
    }
}

void MotorAvaliacao::Ramo4i(RegistroAmostra &r)
{
    const QString &lado = m_ladoAlternado ? m_cfg.LateralContraria : m_cfg.IniciaLateral;
    Copia(r.Lateral, lado);
    Copia(r.Contracao_Texto, m_cfg.IniciaContracao);
    MostraL133(TextoL133(m_cfg.IniciaContracao, lado));
    if (r.KGF >= m_cfg.Inicia)
        m_emContracao = true;
    // Never cleared here: every sample at or below MCiclo after the first
    // contraction is masked, and those are the pauses of this scheme.
    if (m_emContracao && r.KGF <= m_cfg.MCiclo)
        Mascara(r);
}
