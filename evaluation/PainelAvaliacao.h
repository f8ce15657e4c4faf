#pragma once
// What a running evaluation shows and asks: the main window implements it
// on its labels, charts and windows; the tests and the replay command
// implement only what they look at. Every screen hook does nothing by
// default, so a host without a screen overrides just the windows and the end.

#include <QString>

enum class CorLed { Verde, Amarelo };
enum class Cor { Verde, Vermelho, Azul };

// The rest window between cycles, or the change-of-side window.
struct DadosJanela {
    enum class Tipo { Intervalo, TrocaLado };
    Tipo tipo = Tipo::Intervalo;
    int SegundosRestantes = 0;
    QString ProximaLateral;
    QString ProximaContracao;
    int CiclosRestantes = 0;
    int ContracoesRestante = 0;
    int CiclosCompletos = 0;
    int ContracoesCompletas = 0;
    bool CorJanela = true; // the light-blue background (not in the "4i" change of side)
};

enum class RespostaJanela { Continuar, Cancelar };

// Why the evaluation ends.
enum class MotivoFim {
    Esquema,        // the scheme is complete: Etiqueta holds "FIM 1.s" ... "FIM 5.i"
    Duracao,        // the test duration shown by the clock was reached
    Limite,         // the sample table is full
    Ciclos,         // the cycle counter passed the repetitions
    Teclas,         // Shift+Escape
    Valores,        // the demonstration recording ran out
    Cancelada,      // "Interromper Avaliação?" answered Yes in a rest window
    FalhaReinicio,  // acquisition could not be restarted after a window
};

struct FimAvaliacao {
    MotivoFim motivo = MotivoFim::Esquema;
    QString Etiqueta; // the end tag of the scheme, for MotivoFim::Esquema
};

// The contraction just completed, for the bars and the "last contraction" values.
struct ResumoContracao {
    int Contracao_Valida = 0; // index of the completed contraction
    bool Contraria = false;   // done in the direction opposite to the reference
    QString Lateral;
    double Pico = 0;          // kgf
    double Media = 0;         // kgf
    double TempoContracao = 0;// s, of the completing sample
};

// The six direction-tracking flags, for the hidden diagnostic fields.
struct Diagnostico {
    int Positivo = 0;
    int Negativo = 0;
    bool AtivaP = true;
    bool AtivaN = false;
    bool PInvalido = false;
    bool NInvalido = true;
};

class PainelAvaliacao {
public:
    virtual ~PainelAvaliacao() = default;

    // ---- screen ----
    virtual void AjustaLedSensor(CorLed) {}
    // The current sample (normalised kgf, signed) and the largest display
    // value of the test so far: value labels, signalling, chart ranges.
    virtual void MostraForca(double /*kgf*/, double /*maximoExibido*/) {}
    virtual void MostraRamo(const QString & /*esq*/) {}
    virtual void MostraContracao(const QString & /*l133*/) {}
    virtual void MostraCiclos(int /*ContadorCiclos*/) {}
    virtual void MostraNumeroContracao(int) {}
    virtual void AtualizaRelogio(int /*minutos*/, int /*segundos*/) {}
    // A point of the live chart (normalised kgf, signed).
    virtual void PontoGrafico(double /*kgf*/, Cor) {}
    // A contraction sample for the per-contraction curves (kgf, made positive).
    virtual void PontoContracao(double /*kgf*/, bool /*contraria*/, const QString & /*lateral*/) {}
    virtual void ContracaoCompleta(const ResumoContracao &) {}
    // Peak of the current contraction; valorAtualizado is false for a pause
    // sample, where only the time and the colour are refreshed.
    virtual void MostraPico(double /*pico*/, double /*tempoPico*/, bool /*negativo*/, bool /*valorAtualizado*/) {}
    virtual void ColoreUltimoPonto(Cor) {}
    virtual void ColoreSerie(Cor) {}
    virtual void MostraDiagnostico(const Diagnostico &) {}

    // ---- acquisition ----
    // Installs or removes the idle handler that calls ColetaAmostras.
    virtual void AtivaColeta(bool) {}
    // Shift and Escape both held down now.
    virtual bool TeclasEncerramento() { return false; }
    // "Falha ao Iniciar Leitura".
    virtual void FalhaIniciarLeitura() {}

    // ---- windows and end ----
    // Shown modally with acquisition stopped. Cancelar means the user
    // confirmed "Interromper Avaliação?"; the engine then ends the evaluation.
    virtual RespostaJanela AbreJanela(const DadosJanela &) = 0;
    // The end: acquisition is already stopped; the host offers to save
    // records 0 .. NumAmostras - 1 (and the closing row from NumAmostras).
    virtual void SalvaAvaliacao(const FimAvaliacao &) = 0;
};
