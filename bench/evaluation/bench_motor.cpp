// Engine throughput without a display: full sample tables of alternating
// efforts through ProcessaAmostra, live path and demonstration path.

#include "Aquisicao.h"
#include "RegistroIni.h"

#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>

namespace {

// CPU time of this thread: the figure does not depend on what else the
// machine is running.
double SegundosCpu()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

struct SemTela final : PainelAvaliacao {
    RespostaJanela AbreJanela(const DadosJanela &) override { return RespostaJanela::Continuar; }
    void SalvaAvaliacao(const FimAvaliacao &) override {}
};

ConfiguracaoTeste Configuracao(bool demonstracao)
{
    QTemporaryDir pasta;
    RegistroIni r = RegistroIni::DoArquivo(pasta.filePath(QStringLiteral("c.ini")));
    const QString d = QStringLiteral("Dados");
    r.WriteString(d, QStringLiteral("IniciaContracao"), QStringLiteral("Flexão"));
    r.WriteString(d, QStringLiteral("ContracaoContraria"), QStringLiteral("Extensão"));
    r.WriteString(d, QStringLiteral("NumeroRepeticao"), QStringLiteral("100000"));
    r.WriteString(d, QStringLiteral("Demo"), demonstracao ? QStringLiteral("Demo1") : QStringLiteral("Demo0"));
    return CarregaConfiguracao(r, NomesContracao{});
}

void Mede(const char *nome, bool demonstracao, int rodadas)
{
    std::vector<double> forcas(LimiteAmostras);
    for (int i = 0; i < LimiteAmostras; ++i)
        forcas[std::size_t(i)] = 12 * std::sin(2 * std::numbers::pi * i / 240.0) + 0.3;
    const ConfiguracaoTeste c = Configuracao(demonstracao);
    SemTela tela;
    Avaliacao avaliacao(tela);
    double total = 0;
    long long amostras = 0;
    for (int r = 0; r < rodadas; ++r) {
        avaliacao.Inicia(c, 70);
        const double inicio = SegundosCpu();
        for (double f : forcas)
            avaliacao.motor.ProcessaAmostra(f);
        total += SegundosCpu() - inicio;
        amostras += avaliacao.motor.NumAmostras();
    }
    std::printf("%-24s %lld amostras em %.3f s de CPU: %.2f milhões de amostras/s\n", nome, amostras, total,
                double(amostras) / total / 1e6);
}

} // namespace

int main()
{
    Mede("ProcessaAmostra", false, 40);
    Mede("ProcessaAmostra (demo)", true, 40);
    return 0;
}
