#include "MensagensRoteiro.h"

#include <QTest>

class TesteMensagens : public QObject {
    Q_OBJECT
private slots:
    void lineBreaksOfEveryKindBecomeNewLines()
    {
        QCOMPARE(QuebrasDeLinha(QStringLiteral("a\rb\r\nc\nd")), QStringLiteral("a\nb\nc\nd"));
    }

    void aBoxDismissedAnswersItsCancellingButton_data()
    {
        QTest::addColumn<Botoes>("botoes");
        QTest::addColumn<Botao>("esperado");
        QTest::newRow("Ok") << Botoes::Ok << Botao::Ok;
        QTest::newRow("OkCancel") << Botoes::OkCancel << Botao::Cancel;
        QTest::newRow("YesNo") << Botoes::YesNo << Botao::No;
        QTest::newRow("YesNoCancel") << Botoes::YesNoCancel << Botao::Cancel;
        QTest::newRow("RetryCancel") << Botoes::RetryCancel << Botao::Cancel;
        QTest::newRow("AbortRetryIgnore") << Botoes::AbortRetryIgnore << Botao::Abort;
    }
    void aBoxDismissedAnswersItsCancellingButton()
    {
        QFETCH(Botoes, botoes);
        QFETCH(Botao, esperado);
        QCOMPARE(BotaoDeEscape(botoes), esperado);
    }

    void theScriptAnswersInOrderAndRecordsWhatWasShown()
    {
        MensagensRoteiro roteiro;
        roteiro.Responde(Botao::Yes);
        roteiro.RespondeTexto(QStringLiteral("Laboratório Central"));
        QCOMPARE(roteiro.Caixa(nullptr, "Título", "Texto", Icone::Exclamacao, Botoes::YesNo), Botao::Yes);
        QCOMPARE(roteiro.Entrada(nullptr, "Entrada", "Nome:", "antigo"), QStringLiteral("Laboratório Central"));
        QCOMPARE(roteiro.Caixa(nullptr, "Outro", "Sem roteiro", Icone::Nenhum, Botoes::YesNoCancel),
                 Botao::Cancel);
        QCOMPARE(roteiro.Entrada(nullptr, "Entrada", "Nome:", "antigo"), QStringLiteral("antigo"));
        QCOMPARE(roteiro.SalvarArquivo(nullptr, "Salvar", "CSV (*.csv)", "a.csv"), QString());

        QCOMPARE(roteiro.Exibidas().size(), 5);
        const auto &primeira = roteiro.Exibidas().first();
        QCOMPARE(primeira.titulo, QStringLiteral("Título"));
        QCOMPARE(primeira.icone, Icone::Exclamacao);
        QCOMPARE(primeira.botoes, Botoes::YesNo);
        QCOMPARE(roteiro.TextosDasCaixas(), QStringList({"Texto", "Sem roteiro"}));
        QCOMPARE(roteiro.RespostasPendentes(), 0);
    }
};

QTEST_GUILESS_MAIN(TesteMensagens)
#include "test_mensagens.moc"
