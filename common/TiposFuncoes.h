#pragma once
// Small routines shared by both programs.

#include <QString>
#include <cstdint>

// The last `largura` characters of zeros followed by the value with thousands
// points, decimal comma and `casas` decimals: FormataNumero(2, 0, 7) == "07".
QString FormataNumero(int largura, int casas, double valor);

// The last `quantidade` characters of `texto` (the whole text when shorter).
QString DireitaStr(const QString &texto, int quantidade);

// Raw reading of a sample reply: the 24-bit big-endian payload at offsets 5..7.
inline std::uint32_t ValorAmostra(const std::uint8_t *quadro)
{
    return (std::uint32_t(quadro[5]) << 16) | (std::uint32_t(quadro[6]) << 8) | quadro[7];
}

// Name of processor `numero` as /proc/cpuinfo gives it, or "Não Identificado.".
QString NomeProcessador(int numero);
// Same, reading an alternative cpuinfo text (tests).
QString NomeProcessadorDe(const QString &cpuinfo, int numero);

// Clock frequency in MHz, measured with the time-stamp counter over 500 ms
// where the processor has one; otherwise the frequency /proc/cpuinfo reports.
double VelocidadeProcessador();

// Total physical memory in bytes.
std::uint64_t MemoriaFisicaTotal();

// Starts `programa` with `argumentos` (blank-separated, as typed after the
// program name) in the program's own folder and waits until it ends.
// False at once when the program cannot be started.
bool ExecutaEAguarda(const QString &programa, const QString &argumentos, int modoExibicao);

// "True" or "False".
QString BoolParaTexto(bool valor);

// Rounds to the nearest multiple of `passo`, ties up; a value whose truncated
// multiple is 0 becomes one step.
double ArredondaPasso(double valor, double passo);

// Elapsed time of `amostras` samples at `taxaHz` as "mm:ss".
QString FormataTempo(int amostras, int taxaHz);
