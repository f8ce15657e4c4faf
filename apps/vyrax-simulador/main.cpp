// vyrax-simulador: the acquisition interface, simulated.
//
// Registers a simulated port (default SIM1) that the programs find in their
// port list, optionally also serves on a pseudo-terminal, and takes control
// commands on standard input while it runs (see InterfaceForca.h).

#include "InterfaceForca.h"
#include "ServidorSimulado.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

// Options that are control commands with a value, in the order applied.
const char *const OpcoesComando[] = {"perfil", "arquivo", "pico", "duracao", "descanso", "sentido",
                                     "sem-peso", "indice", "lixo", "checksum", "perda", "erro",
                                     "silencio", "endereco"};

void Escreve(FILE *destino, const QString &texto)
{
    std::fputs(qPrintable(texto + QLatin1Char('\n')), destino);
    std::fflush(destino);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication aplicacao(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vyrax-simulador"));

    QCommandLineParser opcoes;
    opcoes.setApplicationDescription(QStringLiteral(
        "Interface de aquisição simulada. Comandos de controle pela entrada padrão, "
        "um por linha, com as mesmas palavras das opções (\"perda 10\", \"silencio 2\", \"liga\", \"sair\")."));
    opcoes.addHelpOption();
    opcoes.addOption({QStringLiteral("porta"), QStringLiteral("Nome da porta simulada (padrão SIM1)."), QStringLiteral("nome"), QStringLiteral("SIM1")});
    opcoes.addOption({QStringLiteral("pty"), QStringLiteral("Atende também num pseudo-terminal (sem linha DTR).")});
    opcoes.addOption({QStringLiteral("sem-soquete"), QStringLiteral("Não registra a porta simulada (só com --pty).")});
    opcoes.addOption({QStringLiteral("log"), QStringLiteral("Arquivo do registro dos quadros em hexadecimal (padrão: saída de erros)."), QStringLiteral("arquivo")});
    opcoes.addOption({QStringLiteral("perfil"), QStringLiteral("esforcos ou sequencia (leitura = número da amostra)."), QStringLiteral("perfil")});
    opcoes.addOption({QStringLiteral("arquivo"), QStringLiteral("Forças em kgf, uma por amostra, repetidas."), QStringLiteral("caminho")});
    opcoes.addOption({QStringLiteral("pico"), QStringLiteral("Pico dos esforços em kgf (padrão 20)."), QStringLiteral("kgf")});
    opcoes.addOption({QStringLiteral("duracao"), QStringLiteral("Duração de cada esforço em s (padrão 3)."), QStringLiteral("s")});
    opcoes.addOption({QStringLiteral("descanso"), QStringLiteral("Descanso entre esforços em s (padrão 2)."), QStringLiteral("s")});
    opcoes.addOption({QStringLiteral("sentido"), QStringLiteral("alternado, agonista ou antagonista."), QStringLiteral("sentido")});
    opcoes.addOption({QStringLiteral("sem-peso"), QStringLiteral("Leitura sem carga (padrão 500000)."), QStringLiteral("contagens")});
    opcoes.addOption({QStringLiteral("indice"), QStringLiteral("Contagens por kgf (padrão 5000)."), QStringLiteral("contagens")});
    opcoes.addOption({QStringLiteral("sem-transdutor"), QStringLiteral("Leituras de 16777215: nenhum transdutor responde.")});
    opcoes.addOption({QStringLiteral("lixo"), QStringLiteral("Lixo antes de cada n-ésimo quadro."), QStringLiteral("n")});
    opcoes.addOption({QStringLiteral("checksum"), QStringLiteral("Checksum errado a cada n-ésimo quadro."), QStringLiteral("n")});
    opcoes.addOption({QStringLiteral("perda"), QStringLiteral("Perde cada n-ésimo quadro."), QStringLiteral("n")});
    opcoes.addOption({QStringLiteral("erro"), QStringLiteral("Responde aos pedidos com o erro de dispositivo 2 a 7."), QStringLiteral("codigo")});
    opcoes.addOption({QStringLiteral("silencio"), QStringLiteral("Fica mudo por s segundos a partir do início."), QStringLiteral("s")});
    opcoes.addOption({QStringLiteral("endereco"), QStringLiteral("Byte de endereço das respostas, em hexadecimal (padrão C0)."), QStringLiteral("hex")});

    if (!opcoes.parse(aplicacao.arguments()) || !opcoes.positionalArguments().isEmpty()) {
        const QString motivo = opcoes.positionalArguments().isEmpty()
            ? opcoes.errorText()
            : QStringLiteral("Argumento inesperado: %1").arg(opcoes.positionalArguments().first());
        Escreve(stderr, QStringLiteral("vyrax-simulador: %1\n").arg(motivo) + opcoes.helpText());
        return 2;
    }
    if (opcoes.isSet(QStringLiteral("help"))) {
        Escreve(stdout, opcoes.helpText());
        return 0;
    }
    if (opcoes.isSet(QStringLiteral("sem-soquete")) && !opcoes.isSet(QStringLiteral("pty"))) {
        Escreve(stderr, QStringLiteral("vyrax-simulador: --sem-soquete só faz sentido com --pty."));
        return 2;
    }

    FILE *registro = stderr;
    if (opcoes.isSet(QStringLiteral("log"))) {
        registro = std::fopen(QFile::encodeName(opcoes.value(QStringLiteral("log"))).constData(), "a");
        if (!registro) {
            Escreve(stderr, QStringLiteral("vyrax-simulador: não foi possível abrir o registro \"%1\".").arg(opcoes.value(QStringLiteral("log"))));
            return 1;
        }
    }

    InterfaceForca interface;
    interface.DefineDiario([registro](const QString &linha) {
        Escreve(registro, QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss.zzz ")) + linha);
    });
    const auto agora = Dispositivo::Relogio::now();
    for (const char *nome : OpcoesComando) {
        if (!opcoes.isSet(QString::fromLatin1(nome)))
            continue;
        const QString erro = interface.Comando(QString::fromLatin1(nome) + QLatin1Char(' ') + opcoes.value(QString::fromLatin1(nome)), agora);
        if (!erro.isEmpty()) {
            Escreve(stderr, QStringLiteral("vyrax-simulador: ") + erro);
            return 2;
        }
    }
    if (opcoes.isSet(QStringLiteral("sem-transdutor")))
        interface.Comando(QStringLiteral("sem-transdutor 1"), agora);

    ServidorSimulado servidor(interface);
    if (!opcoes.isSet(QStringLiteral("sem-soquete"))) {
        const QString erro = servidor.Registra(opcoes.value(QStringLiteral("porta")));
        if (!erro.isEmpty()) {
            Escreve(stderr, QStringLiteral("vyrax-simulador: ") + erro);
            return 1;
        }
        Escreve(stdout, QStringLiteral("porta %1 %2").arg(opcoes.value(QStringLiteral("porta")).toUpper(), servidor.CaminhoSoquete()));
    }
    if (opcoes.isSet(QStringLiteral("pty"))) {
        const QString erro = servidor.AbrePty();
        if (!erro.isEmpty()) {
            Escreve(stderr, QStringLiteral("vyrax-simulador: ") + erro);
            return 1;
        }
        Escreve(stdout, QStringLiteral("pty %1").arg(servidor.CaminhoPty()));
    }

    // Ctrl+C and kill end the run cleanly, so the socket is unregistered.
    sigset_t sinais;
    sigemptyset(&sinais);
    sigaddset(&sinais, SIGINT);
    sigaddset(&sinais, SIGTERM);
    sigaddset(&sinais, SIGHUP);
    sigprocmask(SIG_BLOCK, &sinais, nullptr);
    const int fdSinais = signalfd(-1, &sinais, SFD_CLOEXEC);
    servidor.VigiaParada(fdSinais);
    servidor.VigiaControle(STDIN_FILENO, [](const QString &resposta) { Escreve(stdout, resposta); });
    servidor.Executa();
    if (registro != stderr)
        std::fclose(registro);
    return 0;
}
