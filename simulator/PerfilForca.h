#pragma once
// Force the simulated transducer feels, sample by sample.

#include <QString>
#include <cstdint>
#include <vector>

struct PerfilForca {
    enum class Tipo {
        Esforcos,  // alternating agonist (+) and antagonist (-) efforts with rests
        Arquivo,   // kgf values from a file, one per sample, repeated
        Sequencia, // raw reading = sample number: a stream whose losses show
    };
    enum class Sentido { Alternado, Agonista, Antagonista };

    Tipo tipo = Tipo::Esforcos;
    Sentido sentido = Sentido::Alternado;
    double picoKgf = 20.0;
    double duracaoS = 3.0; // of one effort
    double descansoS = 2.0; // between efforts
    std::vector<double> valoresKgf;

    // Force of sample `n` (counted from the start request) at `frequenciaHz`.
    double Kgf(std::uint64_t n, int frequenciaHz) const;

    // Reads kgf values separated by line breaks, blanks or semicolons, with
    // decimal comma or point. Empty on success, else the reason.
    QString CarregaArquivo(const QString &caminho);
};
