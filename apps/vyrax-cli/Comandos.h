#pragma once
// One function per subcommand of vyrax-cli; each takes the arguments after
// the subcommand's name and returns the exit status (2 for bad input).

#include <QStringList>

int ComandoInit(const QStringList &argumentos);
int ComandoReplay(const QStringList &argumentos);
