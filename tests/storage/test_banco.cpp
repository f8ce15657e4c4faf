#include "EsquemaBanco.h"
#include "ModeloTabela.h"
#include "Tfdados.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TesteBanco : public QObject {
    Q_OBJECT

private:
    QTemporaryDir pasta;

    QString arquivo() const { return pasta.filePath(Tfdados::NomeArquivo); }

    // A fresh empty database in the temporary folder.
    void criaBanco()
    {
        QFile::remove(arquivo());
        QString erro;
        QVERIFY2(esquema::CriaBanco(arquivo(), &erro), qPrintable(erro));
    }

    std::unique_ptr<Tfdados> abre() { return std::make_unique<Tfdados>(pasta.path()); }

    // Changes the file behind the data module's back, through a second one.
    void altera(const QString &sql)
    {
        Tfdados outro(pasta.path());
        QVERIFY2(outro.Executa(sql), qPrintable(outro.Erro()));
    }

    static qint64 gravaAvaliacao(Tfdados &dados, qint64 numero, int amostras)
    {
        GravacaoAvaliacao gravacao(dados);
        Registro cabecalho = GravacaoAvaliacao::NovoCabecalho();
        cabecalho.Define("Avaliacao", numero);
        cabecalho.Define("Avaliado", "FULANO");
        gravacao.Cabecalho(cabecalho);
        Registro amostra = GravacaoAvaliacao::NovaAmostra();
        for (int i = 1; i <= amostras; ++i) {
            amostra.Define("Avaliacao", numero);
            amostra.Define("Am_Geral", i);
            amostra.Define("KGF/KG", i / 10.0);
            gravacao.Amostra(amostra);
            if (i % 10 == 0) {
                Registro repeticao = GravacaoAvaliacao::NovaRepeticao();
                repeticao.Define("Avaliacao", numero);
                repeticao.Define("Am_Geral", i);
                gravacao.Repeticao(repeticao);
            }
        }
        Registro deficit = GravacaoAvaliacao::NovoDeficit();
        deficit.Define("Avaliacao", numero);
        deficit.Define("Cont", 1);
        gravacao.Deficit(deficit);
        return gravacao.Confirma() ? numero : -1;
    }

private slots:
    void initTestCase() { QVERIFY(pasta.isValid()); }
    void init() { criaBanco(); }

    void initCreatesEveryTableWithItsFieldsInOrder_data()
    {
        QTest::addColumn<QString>("tabela");
        QTest::addColumn<int>("quantidade");
        QTest::addColumn<QStringList>("alguns");
        QTest::newRow("TBresultados") << "TBresultados" << 26
                                      << QStringList{"Avaliacao", "Tipo_do_Teste", "Data", "Obs", "Angulo"};
        QTest::newRow("TBdados") << "TBdados" << 46
                                 << QStringList{"Avaliacao", "KGF/KG", "KGF/KG_MAX", "NM/KG_MED", "Esquema"};
        QTest::newRow("TBavaliados") << "TBavaliados" << 8 << QStringList{"Avaliado", "NomeAval", "Observacao"};
        QTest::newRow("TBgrupos") << "TBgrupos" << 4 << QStringList{"Grupo", "Nome", "Temporada", "Observacao"};
        QTest::newRow("TBtrans") << "TBtrans" << 2 << QStringList{"Cod", "Transdutor"};
        QTest::newRow("TBeqp") << "TBeqp" << 44 << QStringList{"Cod", "Equipamento", "Cal1", "T7"};
        QTest::newRow("TBartc") << "TBartc" << 2 << QStringList{"Articulacao", "Cod"};
        QTest::newRow("TBcontracao") << "TBcontracao" << 3 << QStringList{"Cod", "PrimeiraAgo", "SegundaAnt"};
        QTest::newRow("TBrepeticao") << "TBrepeticao" << 25
                                     << QStringList{"Avaliacao", "KGFKG_MAX", "NMKG_MED", "DURACAO_CONTRACAO"};
        QTest::newRow("TBdeficit") << "TBdeficit" << 17 << QStringList{"Avaliacao", "Cont", "RelMaxAnEsqMaxAnDir"};
        for (const char *rep : {"rep1", "rep2", "rep3", "rep4"})
            QTest::newRow(rep) << rep << 15 << QStringList{"Ciclo", "TEMPO_F_MAX", "Contracao_Numero"};
        for (const char *rep : {"rep11", "rep22", "rep33", "rep44"})
            QTest::newRow(rep) << rep << 15 << QStringList{"Ciclo", "DURACAO", "Esquema"};
    }
    void initCreatesEveryTableWithItsFieldsInOrder()
    {
        QFETCH(QString, tabela);
        QFETCH(int, quantidade);
        QFETCH(QStringList, alguns);
        auto dados = abre();
        QVERIFY(dados->BancoOK());
        QStringList nomes;
        for (const QSqlRecord &r : dados->Consulta(QStringLiteral("PRAGMA table_info(\"%1\")").arg(tabela)))
            nomes << r.value("name").toString();
        QCOMPARE(nomes.size(), quantidade);
        QCOMPARE(nomes, esquema::Procura(tabela)->NomesCampos());
        for (const QString &campo : alguns)
            QVERIFY2(nomes.contains(campo), qPrintable(campo));
    }

    void theEighteenTablesComeInTheirFixedOrder()
    {
        QStringList nomes;
        for (const esquema::Tabela &t : esquema::Tabelas())
            nomes << t.nome;
        QCOMPARE(nomes, (QStringList{"TBresultados", "TBdados", "TBavaliados", "TBgrupos", "TBtrans", "TBeqp",
                                     "TBartc", "TBcontracao", "TBrepeticao", "TBdeficit", "rep1", "rep2", "rep3",
                                     "rep4", "rep11", "rep22", "rep33", "rep44"}));
    }

    void detailTablesHaveAnIndexOnAvaliacao()
    {
        auto dados = abre();
        for (const char *tabela : {"TBdados", "TBrepeticao", "TBdeficit"}) {
            const auto indices = dados->Consulta(QStringLiteral("PRAGMA index_list(\"%1\")").arg(tabela));
            QCOMPARE(indices.size(), 1);
            const auto colunas = dados->Consulta(
                QStringLiteral("PRAGMA index_info(\"%1\")").arg(indices[0].value("name").toString()));
            QCOMPARE(colunas.size(), 1);
            QCOMPARE(colunas[0].value("name").toString(), QStringLiteral("Avaliacao"));
        }
    }

    void initCommandCreatesTheFolderAndRefusesToOverwrite()
    {
        const QString novo = pasta.filePath("novo/dentro/vyrax.db");
        QProcess cli;
        cli.start(VYRAX_CLI, {"init", "--banco", novo});
        QVERIFY(cli.waitForFinished());
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY(QFile::exists(novo));
        const QByteArray antes = [&] {
            QFile f(novo);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();

        cli.start(VYRAX_CLI, {"init", "--banco", novo});
        QVERIFY(cli.waitForFinished());
        QCOMPARE(cli.exitCode(), 2);
        QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains(QStringLiteral("já existe")));
        QFile f(novo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), antes);
    }

    void aMissingDatabaseFailsWithItsCreationCommand()
    {
        QFile::remove(arquivo());
        auto dados = abre();
        QVERIFY(!dados->BancoOK());
        QVERIFY(dados->Erro().contains(QStringLiteral("não foi encontrado")));
        QVERIFY(dados->Erro().contains(QStringLiteral("vyrax-cli init")));
        QVERIFY2(!QFile::exists(arquivo()), "opening never creates the file");
    }

    void aDamagedDatabaseIsRefusedAndLeftAlone_data()
    {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("other version") << "PRAGMA user_version = 2" << "versão 2";
        QTest::newRow("version row missing") << "DELETE FROM VersaoBanco" << "versão desconhecida";
        QTest::newRow("table missing") << "DROP TABLE rep44" << "A tabela rep44 não existe";
        QTest::newRow("field missing") << "ALTER TABLE TBdados DROP COLUMN \"NM/KG_MED\""
                                       << "O campo NM/KG_MED da tabela TBdados não existe";
        QTest::newRow("foreign sqlite file") << "PRAGMA application_id = 0" << "não é um banco de dados do Vyrax";
    }
    void aDamagedDatabaseIsRefusedAndLeftAlone()
    {
        QFETCH(QString, comando);
        QFETCH(QString, mensagem);
        altera(comando);
        QFile f(arquivo());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray antes = f.readAll();
        f.close();

        auto dados = abre();
        QVERIFY(!dados->BancoOK());
        QVERIFY2(dados->Erro().contains(mensagem), qPrintable(dados->Erro()));
        QVERIFY(!dados->TBresultados().Ativa());
        dados.reset();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), antes);
    }

    void aFileThatIsNotADatabaseIsRefused()
    {
        QFile f(arquivo());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("isto não é um banco de dados, só texto qualquer que ocupa mais de cem bytes no disco..........");
        f.close();
        auto dados = abre();
        QVERIFY(!dados->BancoOK());
        QVERIFY2(dados->Erro().contains(QStringLiteral("não é um banco de dados do Vyrax")), qPrintable(dados->Erro()));
    }

    void groupIndividualIsRestoredWheneverTheTablesOpen()
    {
        altera("DELETE FROM TBgrupos");
        auto dados = abre();
        QVERIFY(dados->BancoOK());
        QVERIFY(dados->TBgrupos().Locate("Grupo", 0));
        QCOMPARE(dados->TBgrupos().Campo("Nome").toString(), QStringLiteral("INDIVIDUAL"));

        QVERIFY(dados->TBgrupos().Delete());
        QVERIFY(dados->TBgrupos().IsEmpty());
        QVERIFY(dados->FechaTabelas());
        QVERIFY(!dados->BancoOK());
        QVERIFY(dados->AbreTabelas());
        QCOMPARE(dados->TBgrupos().RecordCount(), 1);
        QCOMPARE(dados->TBgrupos().Campo("Grupo").toLongLong(), 0);
    }

    void keysAreTheLastPlusOneAndTheLastIsReusedAfterItsDeletion()
    {
        auto dados = abre();
        TabelaDados &eqp = dados->TBeqp();
        QCOMPARE(eqp.ProximaChave(), 1);
        for (const char *nome : {"CELULA A", "CELULA B", "CELULA C"}) {
            const qint64 cod = eqp.ProximaChave();
            QVERIFY(eqp.Append());
            QVERIFY(eqp.SetCampo("Cod", cod));
            QVERIFY(eqp.SetCampo("Equipamento", nome));
            QVERIFY2(eqp.Post(), qPrintable(eqp.Erro()));
        }
        QCOMPARE(eqp.ProximaChave(), 4);
        eqp.Last();
        QCOMPARE(eqp.Campo("Equipamento").toString(), QStringLiteral("CELULA C"));
        QVERIFY(eqp.Delete());
        // after deleting the last row the one before it is current
        QCOMPARE(eqp.Campo("Equipamento").toString(), QStringLiteral("CELULA B"));
        QCOMPARE(eqp.ProximaChave(), 3);
        // group 0 is there
        QCOMPARE(dados->ProximaChave("TBgrupos"), 1);
        QCOMPARE(dados->ProximaChave("TBresultados"), 1);
    }

    void anAlteredRowIsWrittenInPlaceAndStaysCurrent()
    {
        auto dados = abre();
        TabelaDados &acessorios = dados->TBtrans();
        for (int cod = 1; cod <= 3; ++cod) {
            QVERIFY(acessorios.Append());
            acessorios.SetCampo("Cod", cod);
            acessorios.SetCampo("Transdutor", QStringLiteral("ACESSORIO %1").arg(cod));
            QVERIFY(acessorios.Post());
        }
        QVERIFY(acessorios.Locate("Cod", 2));
        QVERIFY(acessorios.Edit());
        QVERIFY(acessorios.SetCampo("Transdutor", "BARRA"));
        QVERIFY(acessorios.Post());
        QCOMPARE(acessorios.RecNo(), 1);
        QCOMPARE(acessorios.Campo("Transdutor").toString(), QStringLiteral("BARRA"));
        QCOMPARE(dados->Valores("TBtrans", "Transdutor"),
                 (QVariantList{"ACESSORIO 1", "BARRA", "ACESSORIO 3"}));

        QVERIFY(acessorios.Edit());
        QVERIFY(acessorios.SetCampo("Transdutor", "DESCARTADO"));
        acessorios.Cancel();
        QCOMPARE(acessorios.Campo("Transdutor").toString(), QStringLiteral("BARRA"));
    }

    void aDuplicateKeyIsRefusedAndTheRowStaysInEditing()
    {
        auto dados = abre();
        TabelaDados &grupos = dados->TBgrupos();
        QVERIFY(grupos.Append());
        QVERIFY(grupos.SetCampo("Grupo", 0));
        QVERIFY(grupos.SetCampo("Nome", "OUTRO"));
        QVERIFY(!grupos.Post());
        QVERIFY(!grupos.Erro().isEmpty());
        QCOMPARE(grupos.EstadoAtual(), TabelaDados::Estado::Inserindo);
        grupos.Cancel();
        QCOMPARE(grupos.RecordCount(), 1);
    }

    void textLongerThanItsFieldIsCutWhenWritten_data()
    {
        QTest::addColumn<QString>("tabela");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("tamanho");
        QTest::newRow("Exercicio 5") << "TBresultados" << "Exercicio" << 5;
        QTest::newRow("Agonica without size: 20") << "TBresultados" << "Agonica" << 20;
        QTest::newRow("Obs 255") << "TBresultados" << "Obs" << 255;
        QTest::newRow("Sexo 1") << "TBavaliados" << "Sexo" << 1;
    }
    void textLongerThanItsFieldIsCutWhenWritten()
    {
        QFETCH(QString, tabela);
        QFETCH(QString, campo);
        QFETCH(int, tamanho);
        auto dados = abre();
        TabelaDados &t = *dados->Tabela(tabela);
        const QString longo = QStringLiteral("ÁÉÍÓÚ").repeated(60);
        QVERIFY(t.Append());
        QVERIFY(t.SetCampo(t.Definicao().chave, 1));
        QVERIFY(t.SetCampo(campo, longo));
        QVERIFY2(t.Post(), qPrintable(t.Erro()));
        const QVariantList gravado = dados->Valores(tabela, campo);
        QCOMPARE(gravado.size(), 1);
        QCOMPARE(gravado[0].toString(), longo.left(tamanho));
    }

    void valuesComeBackInTheirFieldTypes()
    {
        auto dados = abre();
        TabelaDados &pessoas = dados->TBavaliados();
        QVERIFY(pessoas.Append());
        QVERIFY(pessoas.SetCampo("Avaliado", "7"));
        QVERIFY(pessoas.SetCampo("Nascimento", "05/03/1990"));
        QVERIFY2(!pessoas.SetCampo("Nascimento", "31/02/1990"), "an impossible date is refused");
        QVERIFY(!pessoas.SetCampo("Avaliado", "sete"));
        QVERIFY(!pessoas.SetCampo("NaoExiste", 1));
        QVERIFY(pessoas.Post());
        QCOMPARE(pessoas.Campo("Nascimento").toDate(), QDate(1990, 3, 5));
        QCOMPARE(pessoas.Campo("Avaliado").toLongLong(), 7);

        Insercao eqp(*dados, "TBdados");
        Registro amostra = eqp.NovaLinha();
        QVERIFY(amostra.Define("Avaliacao", 1));
        QVERIFY2(amostra.Define("Angulo", "12,5"), "numbers typed with the decimal comma");
        QVERIFY(amostra.Define("KGF/KG_MAX", 0.125));
        QVERIFY(eqp.Insere(amostra) > 0);
        const QList<Registro> lidas = dados->Linhas("TBdados");
        QCOMPARE(lidas.size(), 1);
        QCOMPARE(lidas[0].Valor("Angulo").toDouble(), 12.5);
        QCOMPARE(lidas[0].Valor("KGF/KG_MAX").toDouble(), 0.125);
        QVERIFY(lidas[0].Vazio("KGF_MAX"));
    }

    void locateFindsByPrefixAndIgnoringCaseOnlyWhenAsked_data()
    {
        QTest::addColumn<QString>("procura");
        QTest::addColumn<int>("opcoes");
        QTest::addColumn<QString>("achado");
        QTest::newRow("exact") << "JOÃO SILVA" << 0 << "JOÃO SILVA";
        QTest::newRow("exact misses a prefix") << "JOÃO" << 0 << "";
        QTest::newRow("prefix") << "JOÃO" << int(OpcaoLocate::ChaveParcial) << "JOÃO SILVA";
        QTest::newRow("case matters by default") << "joão silva" << 0 << "";
        QTest::newRow("case ignored, accents too") << "joão silva" << int(OpcaoLocate::SemCaixa) << "JOÃO SILVA";
        QTest::newRow("both") << "ma" << int(OpcaoLocate::ChaveParcial | OpcaoLocate::SemCaixa) << "MARIA";
    }
    void locateFindsByPrefixAndIgnoringCaseOnlyWhenAsked()
    {
        QFETCH(QString, procura);
        QFETCH(int, opcoes);
        QFETCH(QString, achado);
        auto dados = abre();
        TabelaDados &pessoas = dados->TBavaliados();
        int numero = 1;
        for (const char *nome : {"ANA", "JOÃO SILVA", "MARIA"}) {
            QVERIFY(pessoas.Append());
            pessoas.SetCampo("Avaliado", numero++);
            pessoas.SetCampo("NomeAval", nome);
            QVERIFY(pessoas.Post());
        }
        pessoas.First();
        const bool encontrou = pessoas.Locate("NomeAval", procura, OpcoesLocate(opcoes));
        QCOMPARE(encontrou, !achado.isEmpty());
        QCOMPARE(pessoas.Campo("NomeAval").toString(), encontrou ? achado : QStringLiteral("ANA"));
    }

    void detailTablesFollowTheCurrentEvaluation()
    {
        auto dados = abre();
        QCOMPARE(gravaAvaliacao(*dados, 1, 30), 1);
        QCOMPARE(gravaAvaliacao(*dados, 2, 50), 2);
        TabelaDados &resultados = dados->TBresultados();
        resultados.First();
        QCOMPARE(dados->TBdados().RecordCount(), 30);
        QCOMPARE(dados->TBrepeticao().RecordCount(), 3);
        QCOMPARE(dados->TBdeficit().RecordCount(), 1);
        resultados.Next();
        QCOMPARE(dados->TBdados().RecordCount(), 50);
        QCOMPARE(dados->TBrepeticao().RecordCount(), 5);
        dados->TBdados().Last();
        QCOMPARE(dados->TBdados().Campo("Am_Geral").toDouble(), 50.0);
        QCOMPARE(dados->TBdados().Campo("KGF/KG").toDouble(), 5.0);
    }

    void aFailedSaveLeavesNothingBehind()
    {
        auto dados = abre();
        // A disk that fills up half-way through the samples.
        QVERIFY(dados->Executa("CREATE TRIGGER falha BEFORE INSERT ON TBdados WHEN NEW.Am_Geral = 700 "
                               "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END"));
        QCOMPARE(gravaAvaliacao(*dados, 1, 1000), -1);
        for (const char *tabela : {"TBresultados", "TBdados", "TBrepeticao", "TBdeficit"})
            QVERIFY2(dados->NumeroRegistros(tabela) == 0, tabela);
        QVERIFY(dados->TBresultados().IsEmpty());

        QVERIFY(dados->Executa("DROP TRIGGER falha"));
        // the database is usable afterwards
        QCOMPARE(gravaAvaliacao(*dados, 1, 1000), 1);
        QCOMPARE(dados->NumeroRegistros("TBdados"), 1000);
    }

    void aSaveNotConfirmedIsUndone()
    {
        auto dados = abre();
        {
            GravacaoAvaliacao gravacao(*dados);
            Registro cabecalho = GravacaoAvaliacao::NovoCabecalho();
            cabecalho.Define("Avaliacao", 1);
            QVERIFY(gravacao.Cabecalho(cabecalho));
            // visible inside the transaction
            QCOMPARE(dados->NumeroRegistros("TBresultados"), 1);
        }
        QCOMPARE(dados->NumeroRegistros("TBresultados"), 0);
        QVERIFY(dados->TBresultados().IsEmpty());
    }

    void deletingAnEvaluationRemovesItsDetailRowsOnly()
    {
        auto dados = abre();
        gravaAvaliacao(*dados, 1, 40);
        gravaAvaliacao(*dados, 2, 20);
        QVERIFY2(dados->ExcluiAvaliacao(1), qPrintable(dados->Erro()));
        QCOMPARE(dados->NumeroRegistros("TBresultados"), 1);
        QCOMPARE(dados->NumeroRegistros("TBdados"), 20);
        QCOMPARE(dados->NumeroRegistros("TBrepeticao"), 2);
        QCOMPARE(dados->NumeroRegistros("TBdeficit"), 1);
        QCOMPARE(dados->Valores("TBdados", "Avaliacao").constFirst().toDouble(), 2.0);
        QCOMPARE(dados->TBresultados().Campo("Avaliacao").toLongLong(), 2);
        // the cursors see the deletion
        QCOMPARE(dados->TBdados().RecordCount(), 20);
        QCOMPARE(dados->ProximaChave("TBresultados"), 3);
    }

    void nivelBancoKeepsTheLowEightBitsOfTheEvaluationCount()
    {
        auto dados = abre();
        Transacao transacao(*dados);
        Insercao insercao(*dados, "TBresultados");
        Registro linha = insercao.NovaLinha();
        for (int n = 1; n <= 258; ++n) {
            linha.Define("Avaliacao", n);
            QVERIFY(insercao.Insere(linha) > 0);
        }
        QVERIFY(transacao.Confirma());
        QCOMPARE(dados->NivelBanco(), quint8(2));
        QVERIFY(dados->TamanhoArquivo() > 0);
        QCOMPARE(dados->ArquivosBanco(), QStringList{arquivo()});
    }

    void compactingKeepsEveryRowAndTheCursorsUsable()
    {
        auto dados = abre();
        gravaAvaliacao(*dados, 1, 300);
        gravaAvaliacao(*dados, 2, 300);
        QVERIFY(dados->ExcluiAvaliacao(1));
        QVERIFY2(dados->CompactaTabelas(), qPrintable(dados->Erro()));
        QCOMPARE(dados->NumeroRegistros("TBdados"), 300);
        dados->TBresultados().First();
        QCOMPARE(dados->TBdados().RecordCount(), 300);
        dados->TBdados().Last();
        QCOMPARE(dados->TBdados().Campo("Am_Geral").toDouble(), 300.0);
    }

    void theGridModelReadsOnlyThePagesItShows()
    {
        auto dados = abre();
        gravaAvaliacao(*dados, 1, 2000);
        ModeloTabela modelo(*dados, "TBdados", {"Am_Geral", "KGF/KG"});
        modelo.SegueMestre(dados->TBresultados());
        QCOMPARE(modelo.rowCount(), 2000);
        QCOMPARE(modelo.columnCount(), 2);
        QCOMPARE(modelo.headerData(1, Qt::Horizontal).toString(), QStringLiteral("KGF/KG"));
        QCOMPARE(modelo.PaginasLidas(), 0);
        QCOMPARE(modelo.data(modelo.index(0, 0)).toDouble(), 1.0);
        QCOMPARE(modelo.data(modelo.index(Conjunto::TamanhoPagina - 1, 0)).toDouble(), double(Conjunto::TamanhoPagina));
        QCOMPARE(modelo.PaginasLidas(), 1);
        QCOMPARE(modelo.data(modelo.index(1999, 1)).toDouble(), 200.0);
        QCOMPARE(modelo.PaginasLidas(), 2);

        gravaAvaliacao(*dados, 2, 10);
        dados->TBresultados().Last();
        // the grid follows the selected evaluation
        QCOMPARE(modelo.rowCount(), 10);
    }
};

QTEST_GUILESS_MAIN(TesteBanco)
#include "test_banco.moc"
