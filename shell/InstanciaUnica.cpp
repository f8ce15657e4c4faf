#include "InstanciaUnica.h"

#include "RegistroIni.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

#include <unistd.h>

namespace {

const QByteArray PedidoAtivacao = "ativar\n";

// How long a later start keeps trying to reach the first copy, which may still
// be between taking the lock and listening.
constexpr int EsperaPrimeiraMs = 3000;

} // namespace

InstanciaUnica::InstanciaUnica(const QString &nome, QObject *pai)
    : QObject(pai),
      m_trava(std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(nome + QStringLiteral(".lock"))))
{
    m_trava->setStaleLockTime(0); // a lock outlives its copy only when that copy died
    if (m_trava->tryLock(0)) {
        Escuta(nome);
        return;
    }
    m_outraEmExecucao = AvisaPrimeira(nome);
    if (!m_outraEmExecucao && m_trava->tryLock(0))
        Escuta(nome); // the first copy ended while we were knocking
}

QString InstanciaUnica::NomePadrao()
{
    const QByteArray pasta = RegistroIni::PastaConfiguracao().toUtf8();
    const QByteArray resumo = QCryptographicHash::hash(pasta, QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("vyrax-%1-%2").arg(getuid()).arg(QString::fromLatin1(resumo));
}

bool InstanciaUnica::AvisaPrimeira(const QString &nome)
{
    const QDeadlineTimer prazo(EsperaPrimeiraMs);
    QLocalSocket socket;
    while (!prazo.hasExpired()) {
        socket.connectToServer(nome);
        if (socket.waitForConnected(200)) {
            socket.write(PedidoAtivacao);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

void InstanciaUnica::Escuta(const QString &nome)
{
    QLocalServer::removeServer(nome); // socket left by a copy that crashed
    m_servidor.setSocketOptions(QLocalServer::UserAccessOption);
    m_servidor.listen(nome);
    connect(&m_servidor, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_servidor.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(PedidoAtivacao.trimmed()))
                    emit AtivacaoPedida();
            });
        }
    });
}
