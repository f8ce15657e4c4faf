// "&Avaliados" and "&Grupos" of the main window open their registries modally.

#include "AmbienteTeste.h"
#include "LigaCadastros.h"
#include "TfPrincipal.h"

#include <QAction>

class TestLigaCadastros : public QObject {
    Q_OBJECT
private slots:
    void theMenuCommandsOpenTheirRegistriesWithTheActionsOff_data()
    {
        QTest::addColumn<QString>("acao");
        QTest::addColumn<QString>("janela");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("avaliados") << "CadAvaliados" << "TfCadAvaliados" << "Cadastro de Avaliados";
        QTest::newRow("grupos") << "CadGrupos" << "TfCadGrupos" << "Cadastro de Grupos";
    }

    void theMenuCommandsOpenTheirRegistriesWithTheActionsOff()
    {
        QFETCH(QString, acao);
        QFETCH(QString, janela);
        QFETCH(QString, titulo);
        AmbienteTeste a;
        TfPrincipal principal(a.mensagens);
        QVERIFY(principal.FormCreate({}));
        LigaCadastros(principal, *a.dados, a.mensagens);
        auto *fechar = principal.findChild<QAction *>("Fechar");

        QString aberta, legenda;
        bool acoesLigadas = true;
        NaJanelaModal([&](QDialog *cadastro) {
            aberta = cadastro->objectName();
            legenda = cadastro->windowTitle();
            acoesLigadas = fechar->isEnabled();
            Clica(cadastro, cadastro->findChild<QPushButton *>("BitBtn1") ? "BitBtn1" : "btFechar");
        });
        principal.findChild<QAction *>(acao)->trigger();

        QCOMPARE(aberta, janela);
        QCOMPARE(legenda, titulo);
        QVERIFY(!acoesLigadas);
        QVERIFY(fechar->isEnabled());
    }

    void newOpensTheNewEvaluationWindowAndGivesTheCommandsBack()
    {
        AmbienteTeste a;
        TfPrincipal principal(a.mensagens);
        QVERIFY(principal.FormCreate({}));
        LigaNovaAvaliacao(principal, *a.dados, a.mensagens);
        auto *fechar = principal.findChild<QAction *>("Fechar");

        QString aberta;
        bool acoesLigadas = true;
        NaJanelaModal([&](QDialog *janela) {
            aberta = janela->objectName();
            acoesLigadas = fechar->isEnabled();
            janela->reject();
        });
        principal.findChild<QAction *>("NovaAvaliacao")->trigger();

        QCOMPARE(aberta, QString("Tfnovaavaliacao"));
        QVERIFY(!acoesLigadas);
        QVERIFY(fechar->isEnabled());
        QVERIFY(principal.TimerSensor()->isActive());
    }
};

QTEST_MAIN(TestLigaCadastros)
#include "test_liga_cadastros.moc"
