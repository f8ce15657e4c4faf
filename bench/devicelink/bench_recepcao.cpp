// Receiving side of the device link, measured:
//  1. frames received and decoded per second by the main program's receiver,
//     with a pseudo-terminal fed as fast as it takes;
//  2. CPU time the receiving process spends per second of a 600 Hz stream
//     from the simulator program on a simulated port.
// Usage: bench_devicelink [seconds of each part, default 10]

#include "TiposFuncoes.h"
#include "untProtocolo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

double TempoCpu()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) + double(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}

void Vazao(int segundos)
{
    const int mestre = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(mestre);
    unlockpt(mestre);
    TPorta porta;
    if (!AbrePorta(porta, QString::fromLocal8Bit(ptsname(mestre)), 115200, 8, 'n', 2, false, false, 8192)) {
        std::puts("vazão: não foi possível abrir o pseudo-terminal");
        return;
    }
    // A block of consecutive sample frames, written again and again.
    std::vector<std::uint8_t> bloco;
    for (std::uint32_t n = 0; n < 1000; ++n) {
        TQuadro quadro{};
        const std::uint8_t dados[] = {std::uint8_t(n >> 16), std::uint8_t(n >> 8), std::uint8_t(n)};
        const int tamanho = MontaQuadro(quadro, FuncaoLer, dados);
        bloco.insert(bloco.end(), quadro.begin(), quadro.begin() + tamanho);
    }
    std::atomic<bool> parar{false};
    // Non-blocking writes with a short wait, so the writer notices the end.
    fcntl(mestre, F_SETFL, fcntl(mestre, F_GETFL) | O_NONBLOCK);
    std::thread escritor([&] {
        std::size_t pos = 0;
        while (!parar) {
            const ssize_t escritos = write(mestre, bloco.data() + pos, bloco.size() - pos);
            if (escritos > 0) {
                pos = (pos + std::size_t(escritos)) % bloco.size();
                continue;
            }
            pollfd espera{mestre, POLLOUT, 0};
            poll(&espera, 1, 100);
        }
    });

    long long quadros = 0, falhas = 0;
    QElapsedTimer relogio;
    relogio.start();
    const double cpu0 = TempoCpu();
    while (relogio.elapsed() < segundos * 1000LL) {
        TQuadro quadro{};
        if (RecebeQuadro(porta, quadro, 0, 50) && quadro[PosFuncao] == FuncaoLer)
            ++quadros;
        else
            ++falhas;
    }
    const double decorrido = relogio.elapsed() / 1000.0;
    const double cpu = TempoCpu() - cpu0;
    parar = true;
    escritor.join();
    close(mestre);
    std::printf("vazão: %.0f quadros/s recebidos e decodificados (%lld em %.1f s, %lld falhas; CPU do processo %.0f%%)\n",
                quadros / decorrido, quadros, decorrido, falhas, 100.0 * cpu / decorrido);
}

void Fluxo600Hz(int segundos)
{
    QTemporaryDir pasta;
    qputenv("VYRAX_PORTAS_DIR", pasta.path().toLocal8Bit());
    QProcess simulador;
    simulador.start(QStringLiteral(SIMULADOR), {QStringLiteral("--porta"), QStringLiteral("BENCH"), QStringLiteral("--log"), QStringLiteral("/dev/null")});
    if (!simulador.waitForReadyRead(5000)) {
        std::puts("fluxo: o simulador não iniciou");
        return;
    }
    TPorta porta;
    TQuadro quadro{};
    const bool pronto = AbrePorta(porta, QStringLiteral("BENCH"), 115200, 8, 'n', 2, false, false, 8192)
        && EnviaComando(porta, ComandoIdentificar) && RecebeQuadro(porta, quadro, FuncaoIdentificar, 1000)
        && EnviaQuadro(porta, quadro, MontaConfiguracao(quadro, 600, ModoAutomatico | ModoSemZerar))
        && RecebeQuadro(porta, quadro, FuncaoConfigurar, 1000) && EnviaComando(porta, ComandoIniciar)
        && RecebeQuadro(porta, quadro, FuncaoIniciar, 2000);
    if (!pronto) {
        std::puts("fluxo: o simulador não respondeu");
        return;
    }
    long long amostras = 0;
    QElapsedTimer relogio;
    relogio.start();
    const double cpu0 = TempoCpu();
    // As the acquisition idle handler reads: one frame per call, 50 ms at most.
    while (relogio.elapsed() < segundos * 1000LL)
        if (RecebeQuadro(porta, quadro, 0, 50) && quadro[PosFuncao] == FuncaoLer)
            ++amostras;
    const double decorrido = relogio.elapsed() / 1000.0;
    const double cpu = TempoCpu() - cpu0;
    FechaPorta(porta);
    simulador.write("sair\n");
    simulador.waitForFinished(3000);
    std::printf("fluxo 600 Hz: %lld amostras em %.1f s (%.1f/s); CPU da recepção %.3f s/s = %.2f%% de um núcleo\n",
                amostras, decorrido, amostras / decorrido, cpu / decorrido, 100.0 * cpu / decorrido);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication aplicacao(argc, argv);
    const int segundos = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Vazao(segundos);
    Fluxo600Hz(segundos);
    return 0;
}
