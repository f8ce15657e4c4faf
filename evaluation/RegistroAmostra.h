#pragma once
// One record of the sample table of an evaluation. The fields carry the names
// of the TBdados columns they are saved to ("KGF/KG" becomes KGF_KG).

#include <QString>

// Samples kept per evaluation; the table has one record more, read by the
// closing row of a save.
constexpr int LimiteAmostras = 144000;

// Kilogram-force to newton, exactly as every stored value uses it.
constexpr double FatorNewton = 9.81;

struct RegistroAmostra {
    double Tempo_Total = 0;
    double Tempo_Amostra = 0;
    double Tempo_Contracao = 0;
    double KGF = 0;
    double KGF_MAX = 0;
    double KGF_MED = 0;
    double N = 0;
    double N_MAX = 0;
    double N_MED = 0;
    double KGF_KG = 0;
    double KGF_KG_MAX = 0;
    double KGF_KG_MED = 0;
    double N_KG = 0;
    double N_KG_MAX = 0;
    double N_KG_MED = 0;
    double KGFM = 0;
    double Duracao_Contracao = 0;
    double KGFM_MAX = 0;
    double KGFM_MED = 0;
    double NM = 0;
    double NM_MAX = 0;
    double NM_MED = 0;
    double KGFM_KG = 0;
    double KGFM_KG_MAX = 0;
    double KGFM_KG_MED = 0;
    double NM_KG = 0;
    double NM_KG_MAX = 0;
    double NM_KG_MED = 0;
    double Tempo_Forca_Maxima = 0;
    int Am_Geral = 0;
    int Am_Ciclo = 0;
    int Am_Contracao = 0;
    int Ciclo = 0;
    int Contracao_Numero = 0;
    int Intervalo = 0;
    int Amostra_Forca_Maxima = 0;
    int AmostrasMedia = 0; // kept in memory only
    int Contracao_Valida = 0;
    char Pulso = 0; // 'P', 'N', or 0 while the record is empty
    QString Lateral;
    QString Contracao_Texto;
    QString Articulacao;
    QString Equipamento;
    QString Transdutor;
};
