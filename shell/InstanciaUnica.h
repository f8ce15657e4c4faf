#pragma once
// Keeps one running copy of the program per user: the first copy listens on a
// local socket; a later start finds it, asks it to come to the front and ends.
//
// Who is first is settled by a lock file, not by the socket, so two copies
// started at the same moment cannot both listen, and a socket left behind by a
// crashed copy is taken over.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

class InstanciaUnica : public QObject {
    Q_OBJECT
public:
    // `nome` names the socket and the lock in the temporary folder.
    explicit InstanciaUnica(const QString &nome, QObject *pai = nullptr);

    // The name for this user and settings folder (VYRAX_CONFIG_DIR gives a
    // private instance to tests and portable installs).
    static QString NomePadrao();

    // True when another copy already runs; it has been asked to come forward.
    bool OutraEmExecucao() const { return m_outraEmExecucao; }

signals:
    // A later start asked this copy to show itself.
    void AtivacaoPedida();

private:
    bool AvisaPrimeira(const QString &nome);
    void Escuta(const QString &nome);

    std::unique_ptr<QLockFile> m_trava;
    QLocalServer m_servidor;
    bool m_outraEmExecucao = false;
};
