#include "EnlaceSimulado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

#include <sys/un.h>
#include <unistd.h>

namespace enlace {

void Codifica(Tipo tipo, std::span<const std::uint8_t> carga, std::vector<std::uint8_t> &saida)
{
    do {
        const std::size_t parte = std::min(carga.size(), MaiorCarga);
        saida.push_back(static_cast<std::uint8_t>(tipo));
        saida.push_back(static_cast<std::uint8_t>(parte >> 8));
        saida.push_back(static_cast<std::uint8_t>(parte & 0xFF));
        saida.insert(saida.end(), carga.begin(), carga.begin() + parte);
        carga = carga.subspan(parte);
    } while (!carga.empty());
}

void Decodificador::Alimenta(std::span<const std::uint8_t> bytes, const Tratador &trata)
{
    m_pendente.insert(m_pendente.end(), bytes.begin(), bytes.end());
    std::size_t pos = 0;
    while (m_pendente.size() - pos >= TamanhoCabecalho) {
        const std::size_t tamanho = (std::size_t(m_pendente[pos + 1]) << 8) | m_pendente[pos + 2];
        if (m_pendente.size() - pos < TamanhoCabecalho + tamanho)
            break;
        const auto tipo = static_cast<Tipo>(m_pendente[pos]);
        trata(tipo, std::span(m_pendente).subspan(pos + TamanhoCabecalho, tamanho));
        pos += TamanhoCabecalho + tamanho;
    }
    m_pendente.erase(m_pendente.begin(), m_pendente.begin() + pos);
}

QString PastaPortas()
{
    const QString definida = qEnvironmentVariable("VYRAX_PORTAS_DIR");
    if (!definida.isEmpty())
        return definida;
    const QString execucao = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!execucao.isEmpty())
        return execucao + QStringLiteral("/vyrax-portas");
    return QStringLiteral("/tmp/vyrax-portas-%1").arg(getuid());
}

QString CaminhoPorta(const QString &nome)
{
    if (nome.isEmpty() || nome.contains(QLatin1Char('/')) || nome.startsWith(QLatin1Char('.')))
        return {};
    const QString caminho = PastaPortas() + QLatin1Char('/') + nome.toUpper();
    if (QFile::encodeName(caminho).size() >= int(sizeof(sockaddr_un::sun_path)))
        return {};
    return caminho;
}

// Paths of the Unix sockets somebody listens on, as the kernel lists them.
static QSet<QString> SoquetesEmEscuta()
{
    constexpr unsigned EmEscuta = 0x00010000; // __SO_ACCEPTCON in the flags column
    QSet<QString> caminhos;
    QFile tabela(QStringLiteral("/proc/net/unix"));
    if (!tabela.open(QIODevice::ReadOnly | QIODevice::Text))
        return caminhos;
    QTextStream leitor(&tabela);
    leitor.readLine(); // column titles
    while (!leitor.atEnd()) {
        const QStringList campos = leitor.readLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (campos.size() < 8)
            continue;
        bool ok = false;
        const unsigned bandeiras = campos[3].toUInt(&ok, 16);
        if (ok && (bandeiras & EmEscuta))
            caminhos.insert(campos[7]);
    }
    return caminhos;
}

QStringList PortasRegistradas(const QString &pasta)
{
    QStringList portas;
    const QSet<QString> emEscuta = SoquetesEmEscuta();
    const QFileInfoList entradas = QDir(pasta).entryInfoList(QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entrada : entradas) {
        const QString nome = entrada.fileName();
        if (nome != nome.toUpper())
            continue;
        if (emEscuta.contains(entrada.absoluteFilePath()) || emEscuta.contains(pasta + QLatin1Char('/') + nome))
            portas << nome;
    }
    return portas;
}

} // namespace enlace
