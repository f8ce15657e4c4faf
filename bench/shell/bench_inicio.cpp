// Times whole starts of vyrax, from launching the process until the main
// window has been painted and the program has ended (VYRAX_SAIR_APOS_MOSTRAR).
// Run on a display (or under xvfb-run); without one the offscreen platform is used.
//
//   bench_inicio [starts]      default 10

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int partidas = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    // Private settings, an empty database made by vyrax-cli and an empty port folder.
    QTemporaryDir pasta;
    QDir raiz(pasta.path());
    raiz.mkpath(QStringLiteral("config"));
    raiz.mkpath(QStringLiteral("dados"));
    raiz.mkpath(QStringLiteral("portas"));
    if (QProcess::execute(QStringLiteral(VYRAX_CLI), {QStringLiteral("init"), QStringLiteral("--banco"),
                                                      raiz.filePath(QStringLiteral("dados/vyrax.db"))}) != 0) {
        std::fprintf(stderr, "vyrax-cli init failed\n");
        return 1;
    }
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("VYRAX_CONFIG_DIR"), raiz.filePath(QStringLiteral("config")));
    ambiente.insert(QStringLiteral("VYRAX_DADOS"), raiz.filePath(QStringLiteral("dados")));
    ambiente.insert(QStringLiteral("VYRAX_PORTAS_DIR"), raiz.filePath(QStringLiteral("portas")));
    ambiente.insert(QStringLiteral("VYRAX_SAIR_APOS_MOSTRAR"), QStringLiteral("1"));
    if (!ambiente.contains(QStringLiteral("DISPLAY")) && !ambiente.contains(QStringLiteral("QT_QPA_PLATFORM")))
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    std::vector<double> tempos;
    for (int i = 0; i < partidas; ++i) {
        QProcess vyrax;
        vyrax.setProcessEnvironment(ambiente);
        QElapsedTimer relogio;
        relogio.start();
        vyrax.start(QStringLiteral(VYRAX_PROGRAMA));
        if (!vyrax.waitForFinished(30000) || vyrax.exitCode() != 0) {
            std::fprintf(stderr, "vyrax did not start and end cleanly (run %d)\n", i + 1);
            return 1;
        }
        tempos.push_back(relogio.nsecsElapsed() / 1e6);
    }
    std::sort(tempos.begin(), tempos.end());
    std::printf("platform %s, %d starts: min %.0f ms, median %.0f ms, max %.0f ms\n",
                qPrintable(ambiente.value(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"))),
                partidas, tempos.front(), tempos[tempos.size() / 2], tempos.back());
    return 0;
}
