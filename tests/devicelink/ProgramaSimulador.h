#pragma once
// The real vyrax-simulador program on a simulated port of the test's port
// folder, driven through its standard input.

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

class ProgramaSimulador {
public:
    // Starts the simulator on `porta`; Pronto() tells whether it registered.
    ProgramaSimulador(const QString &programa, const QString &porta, const QStringList &opcoes = {})
    {
        m_processo.start(programa, QStringList{QStringLiteral("--porta"), porta} + opcoes);
        m_pronto = m_processo.waitForStarted() && Linha().startsWith(QStringLiteral("porta "));
    }
    ~ProgramaSimulador()
    {
        m_processo.write("sair\n");
        if (!m_processo.waitForFinished(5000))
            m_processo.kill();
    }
    bool Pronto() const { return m_pronto; }
    // Sends a control command; true once the simulator confirmed it.
    bool Comanda(const QString &linha)
    {
        m_processo.write((linha + QLatin1Char('\n')).toUtf8());
        return Linha() == QStringLiteral("ok ") + linha;
    }

private:
    QString Linha(int ms = 5000)
    {
        QElapsedTimer relogio;
        relogio.start();
        while (!m_processo.canReadLine() && relogio.elapsed() < ms)
            m_processo.waitForReadyRead(50);
        return QString::fromUtf8(m_processo.readLine()).trimmed();
    }

    QProcess m_processo;
    bool m_pronto = false;
};
