#include "RegistroIni.h"

#include "Numeros.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QSaveFile>

namespace {

QString escapa(const QString &valor)
{
    QString saida;
    saida.reserve(valor.size());
    for (const QChar c : valor) {
        if (c == u'\\')
            saida += QLatin1String("\\\\");
        else if (c == u'\n')
            saida += QLatin1String("\\n");
        else if (c == u'\r')
            saida += QLatin1String("\\r");
        else
            saida += c;
    }
    return saida;
}

QString desescapa(const QString &valor)
{
    QString saida;
    saida.reserve(valor.size());
    for (qsizetype i = 0; i < valor.size(); ++i) {
        const QChar c = valor.at(i);
        if (c != u'\\' || i + 1 == valor.size()) {
            saida += c;
            continue;
        }
        const QChar proximo = valor.at(++i);
        if (proximo == u'n')
            saida += u'\n';
        else if (proximo == u'r')
            saida += u'\r';
        else
            saida += proximo;
    }
    return saida;
}

} // namespace

QString RegistroIni::PastaConfiguracao()
{
    const QString pasta = qEnvironmentVariable("VYRAX_CONFIG_DIR");
    if (!pasta.isEmpty())
        return pasta;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/morvek");
}

RegistroIni::RegistroIni(const QString &chave)
    : RegistroIni(SemArquivo{}, PastaConfiguracao() + u'/' + chave + QStringLiteral(".ini"))
{
}

RegistroIni RegistroIni::DoArquivo(const QString &caminho)
{
    return RegistroIni(SemArquivo{}, caminho);
}

RegistroIni::RegistroIni(SemArquivo, const QString &caminho)
    : m_arquivo(caminho)
{
    carrega();
}

void RegistroIni::carrega()
{
    QFile arquivo(m_arquivo);
    if (!arquivo.open(QIODevice::ReadOnly))
        return;
    QString secao;
    const QString texto = QString::fromUtf8(arquivo.readAll());
    for (QString linha : texto.split(u'\n')) {
        if (linha.endsWith(u'\r'))
            linha.chop(1);
        const QString limpa = linha.trimmed();
        if (limpa.isEmpty() || limpa.startsWith(u';') || limpa.startsWith(u'#'))
            continue;
        if (limpa.startsWith(u'[') && limpa.endsWith(u']')) {
            secao = limpa.mid(1, limpa.size() - 2).trimmed();
            if (!m_ordemSecoes.contains(secao))
                m_ordemSecoes << secao;
            continue;
        }
        const qsizetype igual = linha.indexOf(u'=');
        if (igual <= 0 || secao.isEmpty())
            continue;
        m_secoes[secao][linha.left(igual).trimmed()] = desescapa(linha.mid(igual + 1));
    }
}

bool RegistroIni::salva()
{
    const QFileInfo info(m_arquivo);
    if (!QDir().mkpath(info.absolutePath())) {
        m_erro = QStringLiteral("Não foi possível criar a pasta %1.").arg(info.absolutePath());
        return false;
    }
    QString texto;
    for (const QString &secao : std::as_const(m_ordemSecoes)) {
        texto += u'[' + secao + QStringLiteral("]\n");
        const auto &valores = m_secoes[secao];
        for (auto it = valores.cbegin(); it != valores.cend(); ++it)
            texto += it.key() + u'=' + escapa(it.value()) + u'\n';
        texto += u'\n';
    }
    // Written beside and renamed over the old file, so a full disk or a crash
    // never leaves half a settings file behind.
    QSaveFile arquivo(m_arquivo);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(texto.toUtf8()) < 0 || !arquivo.commit()) {
        m_erro = QStringLiteral("Não foi possível gravar as configurações em %1: %2")
                     .arg(m_arquivo, arquivo.errorString());
        return false;
    }
    m_erro.clear();
    return true;
}

QString RegistroIni::ReadString(const QString &secao, const QString &nome, const QString &padrao) const
{
    const auto secaoIt = m_secoes.constFind(secao);
    if (secaoIt == m_secoes.cend())
        return padrao;
    return secaoIt->value(nome, padrao);
}

long long RegistroIni::ReadInteger(const QString &secao, const QString &nome, long long padrao) const
{
    if (!ValueExists(secao, nome))
        return padrao;
    return numeros::LeInteiro(ReadString(secao, nome, QString())).value_or(padrao);
}

bool RegistroIni::ReadBool(const QString &secao, const QString &nome, bool padrao) const
{
    return ReadInteger(secao, nome, padrao ? 1 : 0) != 0;
}

bool RegistroIni::ValueExists(const QString &secao, const QString &nome) const
{
    const auto secaoIt = m_secoes.constFind(secao);
    return secaoIt != m_secoes.cend() && secaoIt->contains(nome);
}

bool RegistroIni::WriteString(const QString &secao, const QString &nome, const QString &valor)
{
    if (!m_secoes.contains(secao))
        m_ordemSecoes << secao;
    m_secoes[secao][nome] = valor;
    return salva();
}

bool RegistroIni::WriteInteger(const QString &secao, const QString &nome, long long valor)
{
    return WriteString(secao, nome, QString::number(valor));
}

bool RegistroIni::WriteBool(const QString &secao, const QString &nome, bool valor)
{
    return WriteString(secao, nome, valor ? QStringLiteral("1") : QStringLiteral("0"));
}

double LeDecimalReparando(RegistroIni &registro, const QString &secao, const QString &nome,
                          const QString &padrao)
{
    if (const auto valor = numeros::LeDecimal(registro.ReadString(secao, nome, padrao)))
        return *valor;
    // Even when the repair cannot reach the disk the default is used, so a
    // correction index never turns into a division by zero.
    registro.WriteString(secao, nome, padrao);
    return numeros::LeDecimal(registro.ReadString(secao, nome, padrao))
        .value_or(numeros::LeDecimal(padrao).value_or(0.0));
}
