#include "Comandos.h"

#include "EsquemaBanco.h"

#include <QTextStream>

// vyrax-cli init --banco ARQ: makes the empty database the program opens.
// An existing file is never touched.
int ComandoInit(const QStringList &argumentos)
{
    QTextStream erros(stderr);
    if (argumentos.size() != 2 || argumentos[0] != QLatin1String("--banco") || argumentos[1].isEmpty()) {
        erros << "uso: vyrax-cli init --banco ARQ\n";
        return 2;
    }
    QString erro;
    if (!esquema::CriaBanco(argumentos[1], &erro)) {
        erros << "vyrax-cli: " << erro << '\n';
        return 2;
    }
    QTextStream(stdout) << "Banco de dados criado: " << argumentos[1] << '\n';
    return 0;
}
