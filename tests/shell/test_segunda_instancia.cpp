#include "InstanciaUnica.h"

#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TesteSegundaInstancia : public QObject {
    Q_OBJECT
private slots:
    void aSecondStartHandsOverToTheFirstAndEnds()
    {
        QTemporaryDir config;
        qputenv("VYRAX_CONFIG_DIR", config.path().toUtf8());
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

        QProcess primeira;
        primeira.setProcessEnvironment(ambiente);
        primeira.start(QStringLiteral(VYRAX_PROGRAMA));
        QVERIFY(primeira.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Escutando(InstanciaUnica::NomePadrao()), 20000);

        QProcess segunda;
        segunda.setProcessEnvironment(ambiente);
        segunda.start(QStringLiteral(VYRAX_PROGRAMA));
        QVERIFY(segunda.waitForFinished(20000));
        QCOMPARE(segunda.exitStatus(), QProcess::NormalExit);
        QCOMPARE(segunda.exitCode(), 0);
        QCOMPARE(primeira.state(), QProcess::Running);

        primeira.terminate();
        QVERIFY(primeira.waitForFinished(10000));
    }

private:
    static bool Escutando(const QString &nome)
    {
        QLocalSocket socket;
        socket.connectToServer(nome);
        return socket.waitForConnected(100);
    }
};

QTEST_GUILESS_MAIN(TesteSegundaInstancia)
#include "test_segunda_instancia.moc"
