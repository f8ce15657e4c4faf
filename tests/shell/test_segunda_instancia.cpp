#include "InstanciaUnica.h"

#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TesteSegundaInstancia : public QObject {
    Q_OBJECT
private slots:
    void aSecondStartHandsOverToTheFirstAndEnds()
    {
        QTemporaryDir pasta;
        QDir raiz(pasta.path());
        QVERIFY(raiz.mkpath(QStringLiteral("config")) && raiz.mkpath(QStringLiteral("dados")) &&
                raiz.mkpath(QStringLiteral("portas")));
        // The settings folder names the running instance, here as in the program.
        qputenv("VYRAX_CONFIG_DIR", raiz.filePath(QStringLiteral("config")).toUtf8());
        QCOMPARE(QProcess::execute(QStringLiteral(VYRAX_CLI),
                                   {QStringLiteral("init"), QStringLiteral("--banco"),
                                    raiz.filePath(QStringLiteral("dados/vyrax.db"))}),
                 0);
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        ambiente.insert(QStringLiteral("VYRAX_DADOS"), raiz.filePath(QStringLiteral("dados")));
        ambiente.insert(QStringLiteral("VYRAX_PORTAS_DIR"), raiz.filePath(QStringLiteral("portas")));

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
