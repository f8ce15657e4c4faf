#include "Comandos.h"

#include <QTextStream>

int ComandoInit(const QStringList &)
{
    QTextStream(stderr) << "vyrax-cli: comando ainda não disponível.\n";
    return 2;
}
