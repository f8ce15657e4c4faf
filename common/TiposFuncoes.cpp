#include "TiposFuncoes.h"

#include "Numeros.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <chrono>
#include <cmath>
#include <spawn.h>
#include <sys/sysinfo.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#define VYRAX_TEM_TSC 1
#endif

extern char **environ;

QString FormataNumero(int largura, int casas, double valor)
{
    return DireitaStr(QString(qMax(largura, 0), u'0') + numeros::ComMilhar(valor, casas), largura);
}

QString DireitaStr(const QString &texto, int quantidade)
{
    if (quantidade >= texto.size())
        return texto;
    return texto.right(qMax(quantidade, 0));
}

QString NomeProcessadorDe(const QString &cpuinfo, int numero)
{
    const QString naoIdentificado = QStringLiteral("Não Identificado.");
    int atual = -1;
    for (const QString &linha : cpuinfo.split(u'\n')) {
        const qsizetype doisPontos = linha.indexOf(u':');
        if (doisPontos < 0)
            continue;
        const QString chave = linha.left(doisPontos).trimmed();
        const QString valor = linha.mid(doisPontos + 1).trimmed();
        if (chave == QLatin1String("processor"))
            atual = valor.toInt();
        else if (chave == QLatin1String("model name") && atual == numero)
            return valor;
    }
    return naoIdentificado;
}

static QString leCpuinfo()
{
    QFile arquivo(QStringLiteral("/proc/cpuinfo"));
    if (!arquivo.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(arquivo.readAll());
}

QString NomeProcessador(int numero)
{
    return NomeProcessadorDe(leCpuinfo(), numero);
}

double VelocidadeProcessador()
{
#ifdef VYRAX_TEM_TSC
    using namespace std::chrono_literals;
    std::this_thread::sleep_for(10ms);
    const unsigned long long inicio = __rdtsc();
    std::this_thread::sleep_for(500ms);
    const unsigned long long fim = __rdtsc();
    return double(std::uint32_t(fim - inicio)) / 500000.0;
#else
    for (const QString &linha : leCpuinfo().split(u'\n')) {
        if (linha.startsWith(QLatin1String("cpu MHz")))
            return linha.section(u':', 1).trimmed().toDouble();
    }
    return 0;
#endif
}

std::uint64_t MemoriaFisicaTotal()
{
    struct sysinfo info {};
    if (sysinfo(&info) != 0)
        return 0;
    return std::uint64_t(info.totalram) * info.mem_unit;
}

bool ExecutaEAguarda(const QString &programa, const QString &argumentos, int modoExibicao)
{
    Q_UNUSED(modoExibicao); // windows show themselves on this platform
    const QFileInfo info(programa);
    if (!info.isFile() || !info.isExecutable())
        return false;

    std::vector<QByteArray> partes;
    partes.push_back(QFile::encodeName(info.absoluteFilePath()));
    for (const QString &arg : argumentos.split(u' ', Qt::SkipEmptyParts))
        partes.push_back(arg.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &parte : partes)
        argv.push_back(parte.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    const QByteArray pasta = QFile::encodeName(info.absolutePath());
    posix_spawn_file_actions_addchdir_np(&acoes, pasta.constData());
    pid_t pid = 0;
    const int erro = posix_spawn(&pid, argv[0], &acoes, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&acoes);
    if (erro != 0)
        return false;

    int estado = 0;
    while (waitpid(pid, &estado, 0) < 0 && errno == EINTR) {
    }
    return true;
}

QString BoolParaTexto(bool valor)
{
    return valor ? QStringLiteral("True") : QStringLiteral("False");
}

double ArredondaPasso(double valor, double passo)
{
    const double base = passo * std::trunc(valor / passo);
    if (passo / 2 > valor - base && base != 0)
        return base;
    return base + passo;
}

QString FormataTempo(int amostras, int taxaHz)
{
    const auto segundos = static_cast<std::uint16_t>(std::nearbyint(double(amostras) / taxaHz));
    if (segundos < 60)
        return QStringLiteral("00:") + FormataNumero(2, 0, segundos);
    return FormataNumero(2, 0, segundos / 60) + u':' + FormataNumero(2, 0, segundos % 60);
}
