#include "InstanciaUnica.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

class TesteInstanciaUnica : public QObject {
    Q_OBJECT
private slots:
    void init() { m_nome = QStringLiteral("vyrax-teste-") + QUuid::createUuid().toString(QUuid::Id128); }

    void theFirstCopyRunsAlone()
    {
        InstanciaUnica primeira(m_nome);
        QVERIFY(!primeira.OutraEmExecucao());
    }

    void aSecondCopyAsksTheFirstToComeForward()
    {
        InstanciaUnica primeira(m_nome);
        QSignalSpy ativacoes(&primeira, &InstanciaUnica::AtivacaoPedida);
        InstanciaUnica segunda(m_nome);
        QVERIFY(segunda.OutraEmExecucao());
        QVERIFY(ativacoes.wait(5000));
    }

    void aCopyStartedAfterTheFirstEndedRunsAlone()
    {
        { InstanciaUnica primeira(m_nome); }
        InstanciaUnica seguinte(m_nome);
        QVERIFY(!seguinte.OutraEmExecucao());
    }

    void differentSettingsFoldersGetDifferentInstances()
    {
        QTemporaryDir a, b;
        qputenv("VYRAX_CONFIG_DIR", a.path().toUtf8());
        const QString nomeA = InstanciaUnica::NomePadrao();
        qputenv("VYRAX_CONFIG_DIR", b.path().toUtf8());
        QVERIFY(nomeA != InstanciaUnica::NomePadrao());
        qunsetenv("VYRAX_CONFIG_DIR");
    }

private:
    QString m_nome;
};

QTEST_GUILESS_MAIN(TesteInstanciaUnica)
#include "test_instancia_unica.moc"
