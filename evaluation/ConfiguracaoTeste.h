#pragma once
// The test settings an evaluation reads once, at its start, and the scheme
// they decide. Changing the settings during a test has no effect until the
// next start.

#include <QString>
#include <QStringList>

class RegistroIni;

enum class Esquema { Nenhum, E1, E2, E4s, E4i, E5s, E5i };

// "1", "2", "4s", "4i", "5s", "5i"; empty for Nenhum.
QString TextoEsquema(Esquema esquema);

struct ConfiguracaoTeste {
    QString Demo = QStringLiteral("Demo0");
    bool Demonstracao = false; // "Demo" is not "Demo0"
    int NumeroRepeticao = 5;   // repetitions as the evaluation holds them (doubled in "4s")
    int DuracaoTeste = 180;    // seconds
    int DuracaoMinutos = 3;
    int DuracaoSegundos = 0;
    QString STeste = QStringLiteral("TC");
    bool Intermitente = false; // "STeste" is "TI"
    QString IniciaLateral;
    QString LateralContraria;
    QString IniciaContracao;
    QString ContracaoContraria;
    int LSequencial = 1;
    int LIntercalada = 0;
    int TempoTrocaDirEsq = 10;
    int TempoIntervalo = 10;
    int TempoRegressivo = 5;
    double Inicia = 1.0;
    double MCiclo = 0.5;
    double SemPeso = 0;
    double IndiceCorrecao = 1;
    double ValorZerado = 0;
    int Frequencia = 300;
    bool CalcTorque = false;
    double Alavanca = 0;
    QString Forca = QStringLiteral("kgf");
    double Escala = 15;
    int MarcaPico = 0;
    int Grafico = 1;
    int GraficoEstatico = 0;
    bool SMax = false;
    bool SMin = false;
    double MaxSinaliza = 0; // kgf, converted when the thresholds are stored in N
    double MinSinaliza = 0;
    int ForcaSinaliza = 1;
    QString Articulacao;
    QString Equipamento;
    QString Transdutor;
    QString AnguloForca = QStringLiteral("0");
    int SobreL = 3;

    Esquema esquema = Esquema::Nenhum;
    int TotalContracoes = 0;
    bool PrimeiroLadoDireita = true; // "5i": the first side is "Direita"

    // Names of the decimal settings whose stored text is not a number; their
    // defaults were used instead.
    QStringList ValoresInvalidos;
};

// Contraction names used when the store has none: the equipment's current
// pair for a live evaluation; in the demonstration both are empty and an
// empty name becomes "Flexão" or "Extensão" (SubstituiVazios).
struct NomesContracao {
    QString Inicia;
    QString Contraria;
    bool SubstituiVazios = false;
};

// Reads section "Dados" and decides the scheme. Writes nothing: storing the
// chosen scheme in "Esquema" is the caller's part.
ConfiguracaoTeste CarregaConfiguracao(const RegistroIni &registro, const NomesContracao &nomes);
