#include "Comandos.h"

#include <QTextStream>

int ComandoReplay(const QStringList &)
{
    QTextStream(stderr) << "vyrax-cli: comando ainda não disponível.\n";
    return 2;
}
