#include "MensagensRoteiro.h"
#include "RegistroIni.h"
#include "TfPrincipal.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString Dados = QStringLiteral("Dados");

QString LeAjuste(const QString &nome)
{
    return RegistroIni(QStringLiteral("Morvek.Vyrax")).ReadString(Dados, nome, QStringLiteral("<nada>"));
}

void GravaAjuste(const QString &nome, const QString &valor)
{
    QVERIFY(RegistroIni(QStringLiteral("Morvek.Vyrax")).WriteString(Dados, nome, valor));
}

} // namespace

class TestePrincipal : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        m_programa = std::make_unique<QTemporaryDir>();
        qputenv("VYRAX_CONFIG_DIR", m_config->path().toUtf8());
        m_mensagens = std::make_unique<MensagensRoteiro>();
    }

    // --- start-up ---

    void startingWithANonNumericSemPesoRewritesItToZero()
    {
        GravaAjuste("SemPeso", "abc");
        auto janela = Cria();
        QCOMPARE(LeAjuste("SemPeso"), QStringLiteral("0"));
        QCOMPARE(janela->Configuracao().SemPeso, 0.0);
        QVERIFY(m_mensagens->Exibidas().isEmpty());
        QCOMPARE(LeAjuste("GraficoEstatico"), QStringLiteral("1"));
    }

    void startUpSetsTheDecimalCommaAndTheBrazilianDate()
    {
        auto janela = Cria();
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QCOMPARE(QLocale().dateFormat(QLocale::ShortFormat), QStringLiteral("dd/MM/yyyy"));
    }

    void aDatabaseThatDidNotOpenIsReportedAndStopsTheStart()
    {
        TfPrincipal janela(*m_mensagens);
        QVERIFY(!janela.FormCreate([] { return false; }));
        VerificaUnicaCaixa(QStringLiteral("Erro"),
                           QStringLiteral("Ocorreu um erro ao acessar o Banco de Dados!\r"
                                          "Execute este programa com privilégios de Administrador.\r"
                                          "O programa será encerrado."),
                           Icone::Erro, Botoes::Ok);
    }

    void startUpEnablesTheActionsAndTheSupervision()
    {
        auto janela = Cria();
        QVERIFY(Acao(*janela, "Fechar")->isEnabled());
        QVERIFY(janela->TimerSensor()->isActive());
        QCOMPARE(janela->TimerSensor()->interval(), 100);
    }

    // --- closing ---

    void closingWithNineEvaluationsSinceTheBackupAsksNothing()
    {
        GravaAjuste("BackupCont", "9");
        auto janela = Cria();
        janela->show();
        Acao(*janela, "Fechar")->trigger();
        QVERIFY(m_mensagens->Exibidas().isEmpty());
        QVERIFY(!janela->isVisible());
        QCOMPARE(LeAjuste("BackupCont"), QStringLiteral("9"));
    }

    void closingWithTenEvaluationsAsksForABackup_data()
    {
        QTest::addColumn<Botao>("resposta");
        QTest::addColumn<int>("backupsAbertos");
        QTest::addColumn<bool>("continuaAberta");
        QTest::newRow("yes opens the backup and stays open") << Botao::Yes << 1 << true;
        QTest::newRow("no closes") << Botao::No << 0 << false;
    }
    void closingWithTenEvaluationsAsksForABackup()
    {
        QFETCH(Botao, resposta);
        QFETCH(int, backupsAbertos);
        QFETCH(bool, continuaAberta);
        GravaAjuste("BackupCont", "9");
        auto janela = Cria();
        janela->Contadores().AvaliacaoSalva(12);
        int aberturas = 0;
        janela->DefineJanela(Acao(*janela, "Backup"), JanelaQueFecha(&aberturas));
        janela->show();
        m_mensagens->Responde(resposta);

        Acao(*janela, "Fechar")->trigger();

        VerificaUnicaCaixa(QStringLiteral("Vyrax-PRO - Aviso de Backup"),
                           QStringLiteral("Foram salvas 10 novas Avaliações desde o último Backup!\r"
                                          "Aconselhamos que sejam feitos backups regulares da Base de Dados.\r"
                                          "Deseja realizar um novo Backup agora?"),
                           Icone::Exclamacao, Botoes::YesNo);
        QCOMPARE(aberturas, backupsAbertos);
        QCOMPARE(janela->isVisible(), continuaAberta);
        QCOMPARE(LeAjuste("BackupCont"), QStringLiteral("10"));
    }

    void closingWithAFullDatabaseWarnsFirst()
    {
        auto janela = Cria();
        janela->Contadores().AvaliacaoSalva(100);
        janela->show();
        Acao(*janela, "Fechar")->trigger();
        VerificaUnicaCaixa(QStringLiteral("Vyrax-PRO"),
                           QStringLiteral("O Banco de Dados do Vyrax-PRO está ficando cheio, o que poderá "
                                          "ocasionar perda de dados. Entre em contato com o MORVEK para "
                                          "maiores esclarecimentos."),
                           Icone::Exclamacao, Botoes::Ok);
        QVERIFY(!janela->isVisible());
    }

    void theWindowRefusesToCloseWhileTheActionsAreDisabled()
    {
        auto janela = Cria();
        janela->show();
        janela->HabilitaAcoes(false);
        QVERIFY(!janela->close());
        QVERIFY(janela->isVisible());
        janela->HabilitaAcoes(true);
        QVERIFY(janela->close());
    }

    // --- actions ---

    void habilitaAcoesTouchesExactlyTheTenActions()
    {
        auto janela = Cria();
        janela->HabilitaAcoes(false);
        QStringList desativadas, ativas;
        for (const QAction *acao : janela->findChildren<QAction *>())
            if (!acao->objectName().isEmpty())
                (acao->isEnabled() ? ativas : desativadas) << acao->objectName();
        desativadas.sort();
        QCOMPARE(desativadas, QStringList({"Backup", "CadAvaliados", "CadGrupos", "Comunicacao",
                                           "ConfigGrafico", "Fechar", "NovaAvaliacao", "Parametros",
                                           "VisualizarAvaliacao", "VisualizarAvaliacaoMedias"}));
        for (const char *nunca : {"CadLaboratorio", "CadAvaliador", "InformacoesSistema", "Help_Protocolo",
                                  "acLogarComunicacao"})
            QVERIFY2(ativas.contains(QLatin1String(nunca)), nunca);
    }

    void aWindowOpenedFromTheMenuRunsWithActionsAndSupervisionOff()
    {
        auto janela = Cria();
        bool acoesDuranteJanela = true;
        bool supervisaoDuranteJanela = true;
        int ledDuranteJanela = 0;
        janela->DefineJanela(Acao(*janela, "CadAvaliados"), [&](QWidget *pai) {
            auto dialogo = std::make_unique<QDialog>(pai);
            QTimer::singleShot(0, dialogo.get(), [&, d = dialogo.get()] {
                acoesDuranteJanela = Acao(*janela, "Fechar")->isEnabled();
                supervisaoDuranteJanela = janela->TimerSensor()->isActive();
                ledDuranteJanela = janela->EstadoLedSensor(1);
                d->reject();
            });
            return dialogo;
        });
        Acao(*janela, "CadAvaliados")->trigger();
        QVERIFY(!acoesDuranteJanela);
        QVERIFY(!supervisaoDuranteJanela);
        QCOMPARE(ledDuranteJanela, 4);
        QVERIFY(Acao(*janela, "Fechar")->isEnabled());
        QVERIFY(janela->TimerSensor()->isActive());
    }

    void theNameInputsStoreWhatIsTyped_data()
    {
        QTest::addColumn<QString>("acao");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("rotulo");
        QTest::newRow("laboratory") << "CadLaboratorio" << "Laboratorio" << "Nome do Laboratório:";
        QTest::newRow("evaluator") << "CadAvaliador" << "Avaliador" << "Nome do Avaliador:";
    }
    void theNameInputsStoreWhatIsTyped()
    {
        QFETCH(QString, acao);
        QFETCH(QString, valor);
        QFETCH(QString, rotulo);
        GravaAjuste(valor, "Antigo");
        auto janela = Cria();
        m_mensagens->RespondeTexto(QStringLiteral("Clínica São Lucas"));
        Acao(*janela, acao.toLatin1())->trigger();
        const auto &entrada = m_mensagens->Exibidas().first();
        QCOMPARE(entrada.titulo, QStringLiteral("Confirmação de Parâmetros"));
        QCOMPARE(entrada.texto, rotulo);
        QCOMPARE(entrada.padrao, QStringLiteral("Antigo"));
        QCOMPARE(LeAjuste(valor), QStringLiteral("Clínica São Lucas"));
    }

    void cancellingANameInputKeepsTheOldName()
    {
        GravaAjuste("Laboratorio", "Antigo");
        auto janela = Cria();
        Acao(*janela, "CadLaboratorio")->trigger(); // no scripted answer: Cancel
        QCOMPARE(LeAjuste("Laboratorio"), QStringLiteral("Antigo"));
    }

    void systemInformationShowsProcessorSpeedAndMemory()
    {
        auto janela = Cria();
        Acao(*janela, "InformacoesSistema")->trigger();
        const QString texto = m_mensagens->TextosDasCaixas().value(0);
        QVERIFY(texto.startsWith(QStringLiteral("\nInformações do PC. \n\n\nProcessador: ")));
        QVERIFY(texto.contains(QStringLiteral("\n\nVelocidade: ")));
        QVERIFY(texto.contains(QStringLiteral("\n\nMemória: ")));
        QVERIFY(texto.endsWith(QStringLiteral("\n\n")));
    }

    // --- the protocol tool ---

    void ctrlAltHWithoutTheToolSaysItWasNotFoundAndLeavesThePortAlone()
    {
        QStringList passos; // outlives the window, which closes the port when destroyed
        auto janela = Cria();
        janela->DefineLigacao(LigacaoQueAnota(passos));
        MostraAtiva(*janela);
        QTest::keyClick(janela.get(), Qt::Key_H, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(m_mensagens->TextosDasCaixas(), QStringList({"Protocolo não encontrado."}));
        QVERIFY(passos.isEmpty());
        QVERIFY(janela->TimerSensor()->isActive());
    }

    void theToolRunsInTheProgramFolderWithThePortHandedOver()
    {
        const QString ferramenta = QDir(m_programa->path()).filePath("protocolo");
        QFile script(ferramenta);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\npwd > executou\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QStringList passos; // outlives the window, which closes the port when destroyed
        auto janela = Cria();
        janela->DefineLigacao(LigacaoQueAnota(passos));

        Acao(*janela, "Help_Protocolo")->trigger();

        QFile marca(QDir(m_programa->path()).filePath("executou"));
        QVERIFY(marca.open(QIODevice::ReadOnly));
        QCOMPARE(QDir(QString::fromLocal8Bit(marca.readAll().trimmed())).canonicalPath(),
                 QDir(m_programa->path()).canonicalPath());
        QCOMPARE(passos, QStringList({"fecha", "reabre"}));
        QVERIFY(m_mensagens->Exibidas().isEmpty());
    }

    // --- LED and log ---

    void theLedShowsExactlyOneState_data()
    {
        QTest::addColumn<int>("estado");
        for (int estado = 1; estado <= 4; ++estado)
            QTest::addRow("state %d", estado) << estado;
    }
    void theLedShowsExactlyOneState()
    {
        QFETCH(int, estado);
        auto janela = Cria();
        janela->AjustaLedSensor(1, estado);
        QCOMPARE(janela->EstadoLedSensor(1), estado);
        janela->AjustaLedSensor(2, estado == 1 ? 2 : 1); // only LED 1 exists
        QCOMPARE(janela->EstadoLedSensor(1), estado);
        QCOMPARE(janela->EstadoLedSensor(2), 0);
    }

    void theCommunicationLogIsKeptOnlyWhileShownAndCopiesOnDoubleClick()
    {
        auto janela = Cria();
        auto *log = janela->findChild<QPlainTextEdit *>("mLog");
        MostraAtiva(*janela);
        janela->Loga(QStringLiteral("ignorada"));
        QTest::keyClick(janela.get(), Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(janela->LogComunicacao());
        QVERIFY(!log->isHidden());
        janela->Loga(QStringLiteral("----> Identificação"));
        janela->Loga(QStringLiteral("<---- Identificação"));
        QTest::mouseDClick(log->viewport(), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("----> Identificação\n<---- Identificação"));
        Acao(*janela, "acLogarComunicacao")->trigger();
        QVERIFY(log->isHidden());
    }

    void cleanup() { QCOMPARE(m_mensagens->RespostasPendentes(), 0); }

private:
    std::unique_ptr<TfPrincipal> Cria()
    {
        auto janela = std::make_unique<TfPrincipal>(*m_mensagens);
        janela->DefinePastaPrograma(m_programa->path());
        [&] { QVERIFY(janela->FormCreate({})); }();
        return janela;
    }

    void VerificaUnicaCaixa(const QString &titulo, const QString &texto, Icone icone, Botoes botoes)
    {
        QCOMPARE(m_mensagens->Exibidas().size(), 1);
        const auto &caixa = m_mensagens->Exibidas().first();
        QCOMPARE(caixa.titulo, titulo);
        QCOMPARE(caixa.texto, texto);
        QCOMPARE(caixa.icone, icone);
        QCOMPARE(caixa.botoes, botoes);
    }

    // Shortcuts reach only the active window.
    static void MostraAtiva(TfPrincipal &janela)
    {
        janela.show();
        janela.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&janela));
    }

    static QAction *Acao(const TfPrincipal &janela, const char *nome)
    {
        auto *acao = janela.findChild<QAction *>(QLatin1String(nome));
        if (!acao)
            qFatal("action %s missing", nome);
        return acao;
    }

    static TfPrincipal::FabricaJanela JanelaQueFecha(int *aberturas)
    {
        return [aberturas](QWidget *pai) {
            ++*aberturas;
            auto dialogo = std::make_unique<QDialog>(pai);
            QTimer::singleShot(0, dialogo.get(), &QDialog::reject);
            return dialogo;
        };
    }

    static TfPrincipal::LigacaoInterface LigacaoQueAnota(QStringList &passos)
    {
        TfPrincipal::LigacaoInterface ligacao;
        ligacao.FechaPorta = [&passos] { passos << QStringLiteral("fecha"); };
        ligacao.ReabrePorta = [&passos] { passos << QStringLiteral("reabre"); };
        return ligacao;
    }

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_programa;
    std::unique_ptr<MensagensRoteiro> m_mensagens;
};

QTEST_MAIN(TestePrincipal)
#include "test_principal.moc"
