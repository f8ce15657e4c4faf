// vyrax-cli replay of a 144000-value recording, timed end to end.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

int main()
{
    QTemporaryDir pasta;
    const QString config = pasta.filePath(QStringLiteral("c.ini"));
    const QString valores = pasta.filePath(QStringLiteral("v.txt"));
    const QString saida = pasta.filePath(QStringLiteral("s.csv"));
    QFile c(config);
    c.open(QIODevice::WriteOnly);
    c.write("[Dados]\nIniciaContracao=Flexão\nContracaoContraria=Extensão\nNumeroRepeticao=100000\n"
            "DuracaoTeste=100000\n");
    c.close();
    QFile v(valores);
    v.open(QIODevice::WriteOnly);
    QByteArray texto;
    for (int i = 0; i < 144000; ++i)
        texto += QByteArray::number(12 * std::sin(2 * std::numbers::pi * i / 240.0) + 0.3, 'f', 3).replace('.', ',')
                 + '\n';
    v.write(texto);
    v.close();

    // Wall time, and the CPU time the child used (user + system), which does
    // not depend on what else the machine is running.
    double melhor = 1e9;
    double melhorCpu = 1e9;
    for (int rodada = 0; rodada < 5; ++rodada) {
        rusage antes{};
        getrusage(RUSAGE_CHILDREN, &antes);
        QElapsedTimer relogio;
        relogio.start();
        QProcess processo;
        processo.setStandardErrorFile(QProcess::nullDevice());
        processo.start(QStringLiteral(VYRAX_CLI), {"replay", "--config", config, "--valores", valores, "--saida", saida});
        processo.waitForFinished(-1);
        const double segundos = relogio.nsecsElapsed() / 1e9;
        rusage depois{};
        getrusage(RUSAGE_CHILDREN, &depois);
        if (processo.exitCode() != 0) {
            std::fprintf(stderr, "vyrax-cli replay falhou (%d)\n", processo.exitCode());
            return 1;
        }
        const auto cpu = [](const rusage &u) {
            return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
        };
        melhor = std::min(melhor, segundos);
        melhorCpu = std::min(melhorCpu, cpu(depois) - cpu(antes));
    }
    std::printf("vyrax-cli replay, 144000 valores: melhor de 5 = %.3f s de relógio, %.3f s de CPU (%lld bytes)\n",
                melhor, melhorCpu, QFile(saida).size());
    return 0;
}
