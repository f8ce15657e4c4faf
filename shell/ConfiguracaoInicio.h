#pragma once
// The settings the main window reads once when the program starts.

#include <QString>

class RegistroIni;

struct ConfiguracaoInicio {
    QString Porta;            // PortaCOM: where the interface was last identified
    double IndiceCorrecao = 1;
    long long TempoIntervalo = 50;
    QString Avaliador;
    double SemPeso = 0;
    double ValorZerado = 0;
    long long Frequencia = 300;
    long long BackupCont = 0;
};

// Reads the start-up settings of section "Dados". A calibration value that is
// not a number is replaced by its default in the store, so one bad edit cannot
// keep the program from starting. Marks the live curve as bounded
// (GraficoEstatico = 1), as every start does.
ConfiguracaoInicio LeConfiguracaoInicio(RegistroIni &registro);
