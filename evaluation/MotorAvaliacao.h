#pragma once
// The evaluation engine: one step per sample (ProcessaAmostra) keeps the
// sample table, detects contractions with their peak and mean, and runs the
// sequencing of cycles, rests, changes of side and the end of the test.
// Everything it shows or asks goes through PainelAvaliacao; starting and
// stopping acquisition through ControleLeitura. No window, no globals: the
// main window, the tests and the replay each own one.

#include "ConfiguracaoTeste.h"
#include "PainelAvaliacao.h"
#include "RegistroAmostra.h"

#include <vector>

// The acquisition routines the engine calls around its windows.
class ControleLeitura {
public:
    virtual ~ControleLeitura() = default;
    virtual void ParaLeitura() = 0;
    virtual bool IniciaLeitura() = 0;
    // Clears the batch entry at PosLote before a window opens.
    virtual void ZeraEntradaLote() = 0;
};

class MotorAvaliacao {
public:
    MotorAvaliacao(PainelAvaliacao &painel, ControleLeitura &leitura);

    // Resets the table and every counter and flag for a new evaluation.
    // pesoKg divides every per-kilogram value.
    void Inicia(const ConfiguracaoTeste &configuracao, double pesoKg);

    // One engine step for the sample AmostraAtual (kgf, signed). Call only
    // while NumAmostras() is below LimiteAmostras; nothing happens once the
    // evaluation has ended.
    void ProcessaAmostra(double AmostraAtual);

    // Ends the evaluation once: stops acquisition and hands over to the
    // host's SalvaAvaliacao. Later calls do nothing.
    void Encerra(const FimAvaliacao &fim);
    bool Encerrada() const { return m_encerrada; }

    const ConfiguracaoTeste &Configuracao() const { return m_cfg; }
    // Records 0 .. LimiteAmostras; the first NumAmostras() are kept samples.
    const std::vector<RegistroAmostra> &Amostras() const { return m_amostras; }
    std::vector<RegistroAmostra> &Amostras() { return m_amostras; }
    int NumAmostras() const { return m_numAmostras; }
    int ContadorCiclos() const { return m_contadorCiclos; }
    int TotalContracoes() const { return m_totalContracoes; }
    int NumeroContracaoExibido() const { return m_numeroContracaoExibido; }
    // The elapsed time the clock shows, as the duration check reads it.
    int RelogioMinutos() const { return m_relogioMinutos; }
    int RelogioSegundos() const { return m_relogioSegundos; }
    bool TesteIniciado() const { return m_testeIniciado; }
    bool AguardandoContracao() const { return m_aguardandoContracao; }

private:
    // Detection (Deteccao.cpp).
    void EsperaEInicio(int n, RegistroAmostra &r);
    void RamoDoisSentidos(int n, RegistroAmostra &r);
    void Ramo4s(int n, RegistroAmostra &r);
    void Ramo5s(int n, RegistroAmostra &r);
    void Ramo4i(RegistroAmostra &r);
    bool CicloInicial(int n, RegistroAmostra &r); // false: skip the rest of the branch
    void FimDeCicloContrario(int n, RegistroAmostra &r);
    void Repeticao4s(int n, RegistroAmostra &r);
    void Repeticao5sInicial(int n, RegistroAmostra &r);
    void Repeticao5sContraria(int n, RegistroAmostra &r);

    // Bookkeeping, completion and peak (MotorAvaliacao.cpp).
    void Escrituracao(int n, RegistroAmostra &r);
    bool CompletaContracao(int n, const RegistroAmostra &r) const;
    void ResumeContracao(int n, const RegistroAmostra &r);
    void AtualizaPico(int n, RegistroAmostra &r, bool negativo);
    void Derivados(RegistroAmostra &r) const;
    // A force in kgf and the seven figures derived from it: newtons, torque
    // (× lever arm) and each per kilogram of body weight.
    void Figuras(double kgf, double &KGF, double &N, double &KGF_KG, double &N_KG, double &KGFM, double &NM,
                 double &KGFM_KG, double &NM_KG) const;
    void RefrescaRelogio();

    // Sequencing (Sequenciamento.cpp).
    void Sequencia(int n, RegistroAmostra &r);
    void AbrePausa(const RegistroAmostra &r);
    void TrocaLado1(int n, RegistroAmostra &r);
    void TrocaLado4s(int n);
    void TrocaLado5i(int n);
    void TrocaLado4i(RegistroAmostra &r);
    // Shows a window (acquisition already stopped) and restarts acquisition
    // afterwards; a cancelled window or a failed restart ends the evaluation
    // and gives false.
    bool MostraJanela(const DadosJanela &dados);
    void Termina(const QString &etiqueta, Cor corUltimoPonto);

    // Small helpers.
    char SinalReferencia() const { return m_amostras[0].Pulso; }
    bool MudouSinal(int n, const RegistroAmostra &r) const { return n > 0 && r.Pulso != m_amostras[n - 1].Pulso; }
    int IntervaloAnterior(int n) const { return n > 0 ? m_amostras[n - 1].Intervalo : 0; }
    void Mascara(RegistroAmostra &r) const { r.KGF = 0; r.Intervalo = 1; }
    // Shares the text unless the record already holds that very text.
    static void Copia(QString &destino, const QString &origem)
    {
        if (destino.constData() != origem.constData() || destino.size() != origem.size())
            destino = origem;
    }
    void MudaCiclos(int novo);
    void MostraL133(const QString &texto);
    const QString &TextoL133(const QString &contracao, const QString &lateral) const;
    const QString &LadoAtual5i() const { return m_lado5iContrario ? m_cfg.LateralContraria : m_cfg.IniciaLateral; }

    PainelAvaliacao &m_painel;
    ControleLeitura &m_leitura;
    ConfiguracaoTeste m_cfg;
    double m_peso = 70;
    bool m_emNewtons = false;

    std::vector<RegistroAmostra> m_amostras;
    int m_numAmostras = 0;

    // Texts shared by every record, so that no sample allocates.
    QString m_null = QStringLiteral("Null");
    QString m_vazio;
    QString m_aguardando = QStringLiteral("Aguardando ...");
    QString m_l133[2][2]; // [initial/contrary contraction][first/second side]
    const QString *m_ultimoL133 = nullptr;
    const char *m_ultimoEsq = nullptr;
    int m_ultimoLed = -1;

    // Engine state.
    char m_sentido = 'P';
    bool m_testeIniciado = false;
    bool m_aguardandoContracao = false;
    bool m_sinalInvertido = false;
    bool m_ladoContrario = false;
    int m_positivo = 0;
    int m_negativo = 0;
    bool m_ativaP = true;
    bool m_ativaN = false;
    bool m_pInvalido = false; // "SIM" when true
    bool m_nInvalido = true;
    bool m_emContracao = false;
    double m_pico = 0;
    double m_tempoPico = 0;
    int m_amostraPico = 0;
    double m_soma = 0;
    int m_contagem = 0;
    int m_numeroContracao = 0;
    int m_indiceContracao = 1;
    int m_numeroContracaoExibido = 1;
    int m_processadas = 0;
    int m_desdeRelogio = 0;
    int m_amostrasIndice = 0; // samples of the current Contracao_Valida
    int m_amGeral = 1;
    int m_relogioMinutos = 0;
    int m_relogioSegundos = 0;
    double m_maximoExibido = 0;
    double m_kgfEscriturado = 0; // KGF the derived values were computed from
    bool m_naoPlota = false;
    bool m_encerrada = false;

    // Sequencing state.
    int m_contadorCiclos = 1;
    int m_totalContracoes = 0;
    bool m_pedidoPausa = false;
    bool m_ladoCompleto = false;
    bool m_fimTeste = false;
    bool m_trocaLado = false;
    bool m_primeiroLado = true;
    int m_ladosCompletos = 0;
    int m_ladoAlternado = 0;
    bool m_lado5iContrario = false;
    int m_trocas5i = 0;
    int m_ciclosCompletos = 0;
    int m_contracoesCompletas = 0;
    int m_ciclosJanela4i = 0;
};
