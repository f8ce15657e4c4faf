// How long a supervision tick holds the event loop on an identified
// interface: the simulated interface runs in-process on a registered port,
// the supervision ticks on its own timer, and a 1 ms heartbeat timer records
// the longest gap between its firings (the longest stall).
//
//   bench_supervisao [seconds]      default 10

#include "InterfaceForca.h"
#include "ServidorSimulado.h"
#include "SupervisaoInterface.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

class PainelMedido : public PainelSupervisao {
public:
    explicit PainelMedido(QTimer &timer) : m_timer(timer) {}
    void AjustaLedSensor(int estado) override { led = estado; }
    void MostraPorta(const QString &, const QString &, int) override {}
    void Loga(const QString &) override {}
    void AjustaBarraEspaco() override {}
    int IntervaloSupervisao() const override { return m_timer.interval(); }
    void DefineIntervaloSupervisao(int ms) override { m_timer.setInterval(ms); }
    QString PortaCOM() const override { return porta; }
    void DefinePortaCOM(const QString &p) override { porta = p; }

    int led = led::Cinza;
    QString porta;

private:
    QTimer &m_timer;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int segundos = argc > 1 ? std::max(2, atoi(argv[1])) : 10;

    QTemporaryDir pasta;
    qputenv("VYRAX_PORTAS_DIR", pasta.path().toUtf8());
    qputenv("VYRAX_CONFIG_DIR", pasta.path().toUtf8());
    InterfaceForca interface;
    ServidorSimulado servidor(interface);
    if (const QString erro = servidor.Registra(QStringLiteral("SIM1")); !erro.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(erro));
        return 1;
    }
    std::thread linha([&servidor] { servidor.Executa(); });

    QTimer tmSensor;
    PainelMedido painel(tmSensor);
    SupervisaoInterface supervisao(painel, [] { return QStringLiteral("SIM1"); });
    // The first tick scans and identifies; only identified ticks are measured.
    supervisao.tmSensorTimer();
    if (supervisao.InterfaceIdentificada() != 1) {
        std::fprintf(stderr, "the simulated interface was not identified\n");
        servidor.Para();
        linha.join();
        return 1;
    }

    std::vector<double> ticks;
    QObject::connect(&tmSensor, &QTimer::timeout, [&] {
        QElapsedTimer relogio;
        relogio.start();
        supervisao.tmSensorTimer();
        ticks.push_back(relogio.nsecsElapsed() / 1e6);
    });
    tmSensor.setInterval(SupervisaoInterface::IntervaloIdentificada);
    tmSensor.start();

    QElapsedTimer batida;
    double maiorParada = 0;
    QTimer coracao;
    coracao.setTimerType(Qt::PreciseTimer);
    coracao.setInterval(1);
    QObject::connect(&coracao, &QTimer::timeout, [&] {
        if (batida.isValid())
            maiorParada = std::max(maiorParada, batida.nsecsElapsed() / 1e6);
        batida.start();
    });
    coracao.start();
    QTimer::singleShot(segundos * 1000, &app, &QCoreApplication::quit);
    app.exec();

    servidor.Para();
    linha.join();
    std::sort(ticks.begin(), ticks.end());
    if (ticks.empty() || painel.led != led::Amarelo) {
        std::fprintf(stderr, "the link was lost during the run\n");
        return 1;
    }
    std::printf("%zu identified ticks in %d s: tick wall time median %.1f ms, max %.1f ms; "
                "longest event-loop stall %.1f ms (pause %d ms runs the loop)\n",
                ticks.size(), segundos, ticks[ticks.size() / 2], ticks.back(), maiorParada,
                SupervisaoInterface::PausaPedidos);
    return 0;
}
