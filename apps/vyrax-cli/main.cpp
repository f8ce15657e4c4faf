#include "Comandos.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

void uso()
{
    QTextStream(stderr) << "uso: vyrax-cli init --banco ARQ\n"
                           "     vyrax-cli replay --config ARQ --valores ARQ [--peso KG] [--saida ARQ]\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList argumentos = QCoreApplication::arguments().mid(1);
    if (argumentos.isEmpty()) {
        uso();
        return 2;
    }
    const QString comando = argumentos.takeFirst();
    if (comando == QLatin1String("init"))
        return ComandoInit(argumentos);
    if (comando == QLatin1String("replay"))
        return ComandoReplay(argumentos);
    QTextStream(stderr) << "vyrax-cli: comando desconhecido: " << comando << '\n';
    uso();
    return 2;
}
