// The six catalogue windows on a real database: keys, checks, delete,
// locate and the group that cannot be touched.

#include "AmbienteTeste.h"
#include "Cadastro.h"
#include "Localizar.h"

#include <QSignalSpy>
#include <QTableView>

namespace {

struct Catalogo {
    const char *nome;
    const char *tabela;
    const char *chave;
    const char *campoNome;
    const char *cpNome;     // the edit window's name field
    const char *confirma;   // the edit window's confirming button
    int tamanhoNome;        // characters the name field takes
    std::function<std::unique_ptr<TfCadastro>(AmbienteTeste &, EstadoLocalizar &)> cria;
};

const QList<Catalogo> &Catalogos()
{
    static const QList<Catalogo> catalogos = {
        {"transdutores", "TBeqp", "Cod", "Equipamento", "cpNome", "btinserir", 24,
         [](AmbienteTeste &a, EstadoLocalizar &e) {
             return std::make_unique<Tfcadeqp>(*a.dados, a.mensagens, e);
         }},
        {"acessorios", "TBtrans", "Cod", "Transdutor", "cpNome", "btinserir", 24,
         [](AmbienteTeste &a, EstadoLocalizar &) {
             return std::make_unique<Tfcadtransdutor>(*a.dados, a.mensagens);
         }},
        {"articulacoes", "TBartc", "Cod", "Articulacao", "cpNome", "btinserir", 24,
         [](AmbienteTeste &a, EstadoLocalizar &) {
             return std::make_unique<Tfcadartic>(*a.dados, a.mensagens);
         }},
        {"contracoes", "TBcontracao", "Cod", "PrimeiraAgo", "cpAgonica", "btinserir", 13,
         [](AmbienteTeste &a, EstadoLocalizar &) {
             return std::make_unique<Tfcadcontracao>(*a.dados, a.mensagens);
         }},
        {"avaliados", "TBavaliados", "Avaliado", "NomeAval", "cpNome", "btinserir", 50,
         [](AmbienteTeste &a, EstadoLocalizar &) {
             return std::make_unique<TfCadAvaliados>(*a.dados, a.mensagens);
         }},
        {"grupos", "TBgrupos", "Grupo", "Nome", "cpNome", "btInserir", 50,
         [](AmbienteTeste &a, EstadoLocalizar &) {
             return std::make_unique<TfCadGrupos>(*a.dados, a.mensagens);
         }},
    };
    return catalogos;
}

// Fills a valid entry whose name is `nome` and confirms it.
void PreencheEConfirma(QDialog *janela, const Catalogo &c, const QString &nome)
{
    Campo(janela, c.cpNome)->setText(nome);
    if (QLatin1String(c.tabela) == QLatin1String("TBavaliados")) {
        Campo(janela, "cpNascimento")->setText(QStringLiteral("01/02/2000"));
        Campo(janela, "cpSexo")->setText(QStringLiteral("M"));
    }
    Clica(janela, c.confirma);
}

void Insere(TfCadastro &cadastro, const Catalogo &c, const QString &nome)
{
    NaJanelaModal([&c, nome](QDialog *janela) { PreencheEConfirma(janela, c, nome); });
    cadastro.btinsClick();
}

QVariantList Chaves(AmbienteTeste &a, const Catalogo &c)
{
    return a.dados->Valores(QLatin1String(c.tabela), QLatin1String(c.chave));
}

QStringList Nomes(AmbienteTeste &a, const Catalogo &c)
{
    QStringList nomes;
    for (const QVariant &v : a.dados->Valores(QLatin1String(c.tabela), QLatin1String(c.campoNome)))
        nomes << v.toString();
    return nomes;
}

// True when calling `acao` opened a modal window (which is then closed).
bool AbreJanela(const std::function<void()> &acao)
{
    bool abriu = false;
    QTimer::singleShot(0, [&abriu] {
        if (QWidget *janela = QApplication::activeModalWidget()) {
            abriu = true;
            qobject_cast<QDialog *>(janela)->reject();
        }
    });
    acao();
    QCoreApplication::processEvents();
    return abriu;
}

} // namespace

class TestCadastros : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Vyrax-PRO")); }

    void keysStartAtOneAndTheLastKeyIsReusedAfterItsDelete_data();
    void keysStartAtOneAndTheLastKeyIsReusedAfterItsDelete();
    void anEntryThatFailsItsCheckShowsTheMessageAndPostsNothing_data();
    void anEntryThatFailsItsCheckShowsTheMessageAndPostsNothing();
    void namesAreTypedInUpperCaseAndCutToTheFieldSize_data();
    void namesAreTypedInUpperCaseAndCutToTheFieldSize();
    void aKeyTakenMeanwhileIsRefusedAndTheTableKeepsItsRows();
    void aNewTransducerGetsItsSlotDefaultsAndBecomesTheChosenOne();
    void deletingTheChosenTransducerChoosesTheNextOne();
    void deletingFromAnEmptyTableWarnsOnlyForTransducers();
    void alteringAPersonShowsTheStoredBirthDate();
    void aContractionPairWithoutAntagonistAndItsDelete();
    void closingAsksForTheListsToBeRefilled();
    void anEmptySearchFindsNothingAndEndsOnTheLastRow();
    void locateNextSkipsTheRowJustFound();
    void onlyTheTransducerRegistryKeepsItsSearchForTheWholeRun();
    void theGroupIndividualCanBeFoundButNotAlteredOrDeleted();
};

void TestCadastros::keysStartAtOneAndTheLastKeyIsReusedAfterItsDelete_data()
{
    QTest::addColumn<int>("catalogo");
    for (int i = 0; i < Catalogos().size(); ++i)
        QTest::newRow(Catalogos()[i].nome) << i;
}

void TestCadastros::keysStartAtOneAndTheLastKeyIsReusedAfterItsDelete()
{
    QFETCH(int, catalogo);
    const Catalogo &c = Catalogos()[catalogo];
    AmbienteTeste a;
    EstadoLocalizar estado;
    auto cadastro = c.cria(a, estado);
    // Groups always hold the row 0 "INDIVIDUAL".
    const QVariantList antes = Chaves(a, c);

    Insere(*cadastro, c, "PRIMEIRO");
    Insere(*cadastro, c, "SEGUNDO");
    QCOMPARE(Chaves(a, c), (antes + QVariantList{1, 2}));
    // the grid shows the table from its first row
    QCOMPARE(cadastro->Tabela().RecNo(), 0);

    cadastro->Tabela().Last();
    a.mensagens.Responde(Botao::Yes);
    cadastro->btexcClick();
    QCOMPARE(Chaves(a, c), antes + QVariantList{1});

    Insere(*cadastro, c, "TERCEIRO");
    QCOMPARE(Chaves(a, c), (antes + QVariantList{1, 2}));
    auto *grade = cadastro->findChild<QTableView *>("DBGrid1");
    QCOMPARE(grade->model()->rowCount(), Chaves(a, c).size());
    QCOMPARE(grade->currentIndex().row(), 0);
    QCOMPARE(Nomes(a, c).constLast(), QStringLiteral("TERCEIRO"));
    QCOMPARE(a.mensagens.RespostasPendentes(), 0);
}

void TestCadastros::anEntryThatFailsItsCheckShowsTheMessageAndPostsNothing_data()
{
    QTest::addColumn<int>("catalogo");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("nascimento");
    QTest::addColumn<QString>("sexo");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("campo");

    QTest::newRow("transdutor sem nome") << 0 << "" << "" << "" << "Informe o nome do equipamento !" << "cpNome";
    QTest::newRow("acessório em branco") << 1 << "   " << "" << "" << "Informe o nome do transdutor !" << "cpNome";
    QTest::newRow("articulação sem nome") << 2 << "" << "" << "" << "Informe o nome da articulação !" << "cpNome";
    QTest::newRow("contração sem agônica") << 3 << "" << "" << "" << "Informe o nome da Contração !" << "cpAgonica";
    QTest::newRow("grupo sem nome") << 5 << "" << "" << "" << "O nome deve ser informado..." << "cpNome";
    QTest::newRow("avaliado sem nome") << 4 << "" << "01/02/2000" << "F" << "O Nome deve ser informado..." << "cpNome";
    QTest::newRow("avaliado sem nascimento") << 4 << "ANA" << "" << "F" << "O Nascimento deve ser informado..." << "cpNascimento";
    QTest::newRow("avaliado com sexo X") << 4 << "ANA" << "01/02/2000" << "X" << "O Sexo deve ser F ou M!" << "cpSexo";
    QTest::newRow("avaliado nascido em 31/02") << 4 << "ANA" << "31/02/2000" << "F"
                                               << "O Nascimento deve ser uma data válida (dd/mm/aaaa)..." << "cpNascimento";
    QTest::newRow("avaliado com data pela metade") << 4 << "ANA" << "12/03" << "F"
                                                   << "O Nascimento deve ser uma data válida (dd/mm/aaaa)..." << "cpNascimento";
}

void TestCadastros::anEntryThatFailsItsCheckShowsTheMessageAndPostsNothing()
{
    QFETCH(int, catalogo);
    QFETCH(QString, nome);
    QFETCH(QString, nascimento);
    QFETCH(QString, sexo);
    QFETCH(QString, mensagem);
    QFETCH(QString, campo);
    const Catalogo &c = Catalogos()[catalogo];
    AmbienteTeste a;
    EstadoLocalizar estado;
    auto cadastro = c.cria(a, estado);
    const QVariantList antes = Chaves(a, c);

    QString focoAposMensagem;
    bool continuaAberta = false;
    NaJanelaModal([&](QDialog *janela) {
        Campo(janela, c.cpNome)->setText(nome);
        if (catalogo == 4) {
            Campo(janela, "cpNascimento")->setText(nascimento);
            Campo(janela, "cpSexo")->setText(sexo);
        }
        Clica(janela, c.confirma);
        continuaAberta = janela->isVisible();
        focoAposMensagem = janela->focusWidget() ? janela->focusWidget()->objectName() : QString();
        janela->reject();
    });
    cadastro->btinsClick();

    QCOMPARE(a.mensagens.TextosDasCaixas(), QStringList{mensagem});
    QCOMPARE(a.mensagens.Exibidas().constFirst().titulo, QStringLiteral("Vyrax-PRO"));
    QVERIFY(continuaAberta);
    QCOMPARE(focoAposMensagem, campo);
    QCOMPARE(Chaves(a, c), antes);
}

void TestCadastros::namesAreTypedInUpperCaseAndCutToTheFieldSize_data()
{
    QTest::addColumn<int>("catalogo");
    for (int i = 0; i < Catalogos().size(); ++i)
        QTest::newRow(Catalogos()[i].nome) << i;
}

void TestCadastros::namesAreTypedInUpperCaseAndCutToTheFieldSize()
{
    QFETCH(int, catalogo);
    const Catalogo &c = Catalogos()[catalogo];
    AmbienteTeste a;
    EstadoLocalizar estado;
    auto cadastro = c.cria(a, estado);
    const QString digitado = QStringLiteral("cel ") + QString(80, u'x');

    NaJanelaModal([&](QDialog *janela) {
        QTest::keyClicks(Campo(janela, c.cpNome), digitado);
        PreencheEConfirma(janela, c, Campo(janela, c.cpNome)->text());
    });
    cadastro->btinsClick();

    QCOMPARE(Nomes(a, c).constLast(), digitado.toUpper().left(c.tamanhoNome));
}

void TestCadastros::aKeyTakenMeanwhileIsRefusedAndTheTableKeepsItsRows()
{
    AmbienteTeste a;
    Tfcadtransdutor cadastro(*a.dados, a.mensagens);
    NaJanelaModal([&](QDialog *janela) {
        // Another writer takes key 1 while the window is open.
        QVERIFY(a.dados->Executa(QStringLiteral("INSERT INTO TBtrans (Cod, Transdutor) VALUES (1, 'OUTRO')")));
        Campo(janela, "cpNome")->setText(QStringLiteral("MEU"));
        Clica(janela, "btinserir");
    });
    cadastro.btinsClick();

    QCOMPARE(a.mensagens.Exibidas().size(), 1);
    QCOMPARE(a.mensagens.Exibidas().constFirst().icone, Icone::Erro);
    QCOMPARE(a.dados->Valores("TBtrans", "Transdutor"), QVariantList{"OUTRO"});
    QCOMPARE(cadastro.Tabela().EstadoAtual(), TabelaDados::Estado::Navegando);

    // The window goes on working: the next insert takes key 2.
    Insere(cadastro, Catalogos()[1], "MEU");
    QCOMPARE(a.dados->Valores("TBtrans", "Cod"), (QVariantList{1, 2}));
}

void TestCadastros::aNewTransducerGetsItsSlotDefaultsAndBecomesTheChosenOne()
{
    AmbienteTeste a;
    EstadoLocalizar estado;
    Tfcadeqp cadastro(*a.dados, a.mensagens, estado);
    NaJanelaModal([](QDialog *janela) {
        QCOMPARE(janela->objectName(), QStringLiteral("Tfnovoeqp"));
        QCOMPARE(janela->windowTitle(), QStringLiteral("Novo Transdutor"));
        Campo(janela, "cpNome")->setText(QStringLiteral("CELULA 200"));
        Clica(janela, "btinserir");
    });
    cadastro.btinsClick();

    const QList<Registro> linhas = a.dados->Linhas("TBeqp");
    QCOMPARE(linhas.size(), 1);
    for (int slot = 1; slot <= 7; ++slot) {
        const auto valor = [&](const char *prefixo) {
            return linhas[0].Valor(QLatin1String(prefixo) + QString::number(slot)).toDouble();
        };
        QCOMPARE(valor("Cal"), 1.0);
        QCOMPARE(valor("Cp"), 0.0);
        QCOMPARE(valor("Sp"), 0.0);
        QCOMPARE(valor("C"), 2.0);
        QCOMPARE(valor("Vz"), 0.0);
        QCOMPARE(valor("T"), 2.0);
    }
    QCOMPARE(AmbienteTeste::Ajuste("Equipamento"), QStringLiteral("CELULA 200"));
}

void TestCadastros::deletingTheChosenTransducerChoosesTheNextOne()
{
    AmbienteTeste a;
    for (int cod = 1; cod <= 3; ++cod)
        a.Insere("TBeqp", {{"Cod", cod}, {"Equipamento", QStringLiteral("T%1").arg(cod)}});
    EstadoLocalizar estado;
    Tfcadeqp cadastro(*a.dados, a.mensagens, estado);

    cadastro.Tabela().MoveTo(1);
    a.mensagens.Responde(Botao::No);
    cadastro.btexcClick();
    QCOMPARE(a.dados->Valores("TBeqp", "Equipamento"), (QVariantList{"T1", "T2", "T3"}));

    a.mensagens.Responde(Botao::Yes);
    cadastro.btexcClick();
    QCOMPARE(a.mensagens.Exibidas().constLast().texto, QStringLiteral("Confirma a exclusão?"));
    QCOMPARE(a.mensagens.Exibidas().constLast().titulo, QStringLiteral("Atenção"));
    QCOMPARE(a.dados->Valores("TBeqp", "Equipamento"), (QVariantList{"T1", "T3"}));
    QCOMPARE(AmbienteTeste::Ajuste("Equipamento"), QStringLiteral("T3"));

    a.mensagens.Responde(Botao::Yes);
    cadastro.btexcClick();
    // the last row went: the one before
    QCOMPARE(AmbienteTeste::Ajuste("Equipamento"), QStringLiteral("T1"));

    a.mensagens.Responde(Botao::Yes);
    cadastro.btexcClick();
    QCOMPARE(AmbienteTeste::Ajuste("Equipamento"), QString());
}

void TestCadastros::deletingFromAnEmptyTableWarnsOnlyForTransducers()
{
    AmbienteTeste a;
    EstadoLocalizar estado;
    Tfcadeqp transdutores(*a.dados, a.mensagens, estado);
    transdutores.btexcClick();
    QCOMPARE(a.mensagens.TextosDasCaixas(), QStringList{"Nenhum Equipamento para ser excluido. "});
    QCOMPARE(a.mensagens.Exibidas().constFirst().icone, Icone::Exclamacao);

    Tfcadtransdutor acessorios(*a.dados, a.mensagens);
    acessorios.btexcClick();
    QCOMPARE(a.mensagens.Exibidas().size(), 1);
}

void TestCadastros::alteringAPersonShowsTheStoredBirthDate()
{
    AmbienteTeste a;
    a.Insere("TBavaliados", {{"Avaliado", 1}, {"NomeAval", "ANA"}, {"Nascimento", QDate(1990, 7, 4)},
                             {"Sexo", "F"}});
    TfCadAvaliados cadastro(*a.dados, a.mensagens);
    QString mostrado, titulo, botao;
    NaJanelaModal([&](QDialog *janela) {
        mostrado = Campo(janela, "cpNascimento")->text();
        titulo = janela->windowTitle();
        botao = janela->findChild<QPushButton *>("btinserir")->text();
        Campo(janela, "cpNascimento")->setText(QStringLiteral("05/07/1990"));
        Clica(janela, "btinserir");
    });
    cadastro.btedtClick();

    QCOMPARE(mostrado, QStringLiteral("04/07/1990"));
    QCOMPARE(titulo, QStringLiteral("Alterar Avaliado"));
    QCOMPARE(botao, QStringLiteral("&Alterar"));
    const QList<Registro> linhas = a.dados->Linhas("TBavaliados");
    QCOMPARE(linhas.size(), 1);
    QCOMPARE(linhas[0].Valor("Nascimento").toDate(), QDate(1990, 7, 5));
}

void TestCadastros::aContractionPairWithoutAntagonistAndItsDelete()
{
    AmbienteTeste a;
    RegistroIni ajustes = AmbienteTeste::Configuracao();
    ajustes.WriteString("Dados", "IniciaContracao", "FLEXAO");
    ajustes.WriteString("Dados", "ContracaoContraria", "EXTENSAO");
    Tfcadcontracao cadastro(*a.dados, a.mensagens);
    QSignalSpy listas(&cadastro, &TfCadastro::ListasAlteradas);

    Insere(cadastro, Catalogos()[3], "FLEXAO");
    QCOMPARE(a.dados->Valores("TBcontracao", "SegundaAnt"), QVariantList{"NENHUMA"});
    // insert writes no setting
    QCOMPARE(AmbienteTeste::Ajuste("IniciaContracao"), QStringLiteral("FLEXAO"));

    a.mensagens.Responde(Botao::Yes);
    cadastro.btexcClick();
    QCOMPARE(a.dados->Valores("TBcontracao", "Cod"), QVariantList{});
    QCOMPARE(AmbienteTeste::Ajuste("IniciaContracao"), QString());
    QCOMPARE(AmbienteTeste::Ajuste("ContracaoContraria"), QString());
    QCOMPARE(listas.count(), 1);
}

void TestCadastros::closingAsksForTheListsToBeRefilled()
{
    AmbienteTeste a;
    Tfcadartic cadastro(*a.dados, a.mensagens);
    QSignalSpy listas(&cadastro, &TfCadastro::ListasAlteradas);
    cadastro.show();
    cadastro.btFecharClick();
    QVERIFY(!cadastro.isVisible());
    QCOMPARE(listas.count(), 1);
}

void TestCadastros::anEmptySearchFindsNothingAndEndsOnTheLastRow()
{
    AmbienteTeste a;
    for (int cod = 1; cod <= 3; ++cod)
        a.Insere("TBtrans", {{"Cod", cod}, {"Transdutor", QStringLiteral("A%1").arg(cod)}});
    Tfcadtransdutor cadastro(*a.dados, a.mensagens);

    a.mensagens.RespondeTexto(QString());
    cadastro.btlocClick();
    QCOMPARE(cadastro.Tabela().RecNo(), 2);
    QVERIFY(cadastro.Tabela().Eof());
    QCOMPARE(cadastro.Localizacao().UltimoEncontrado(), QString());
}

void TestCadastros::locateNextSkipsTheRowJustFound()
{
    AmbienteTeste a;
    const QStringList nomes{"ALFA", "BETA", "ALFABETO", "GAMA"};
    for (int i = 0; i < nomes.size(); ++i)
        a.Insere("TBartc", {{"Cod", i + 1}, {"Articulacao", nomes[i]}});
    Tfcadartic cadastro(*a.dados, a.mensagens);
    auto *grade = cadastro.findChild<QTableView *>("DBGrid1");

    a.mensagens.RespondeTexto(QStringLiteral("alfa"));
    cadastro.btlocClick();
    QCOMPARE(cadastro.Localizacao().Busca(), QStringLiteral("ALFA"));
    QCOMPARE(cadastro.Tabela().RecNo(), 0);

    cadastro.btlocnextClick();
    QCOMPARE(cadastro.Tabela().RecNo(), 2);
    // the grid follows the row found
    QCOMPARE(grade->currentIndex().row(), 2);

    cadastro.btlocnextClick();
    // no more rows: the search ends on the last one
    QCOMPARE(cadastro.Tabela().RecNo(), 3);

    // Every field takes part: the code 4 is found by "4".
    a.mensagens.RespondeTexto(QStringLiteral("4"));
    cadastro.btlocClick();
    QCOMPARE(cadastro.Tabela().Campo("Articulacao").toString(), QStringLiteral("GAMA"));
}

void TestCadastros::onlyTheTransducerRegistryKeepsItsSearchForTheWholeRun()
{
    AmbienteTeste a;
    a.Insere("TBeqp", {{"Cod", 1}, {"Equipamento", "CELULA"}});
    EstadoLocalizar daExecucao;
    {
        Tfcadeqp primeira(*a.dados, a.mensagens, daExecucao);
        a.mensagens.RespondeTexto(QStringLiteral("cel"));
        primeira.btlocClick();
        Tfcadartic articulacoes(*a.dados, a.mensagens);
        a.mensagens.RespondeTexto(QStringLiteral("joelho"));
        articulacoes.btlocClick();
    }
    Tfcadeqp segunda(*a.dados, a.mensagens, daExecucao);
    segunda.btlocClick();
    QCOMPARE(a.mensagens.Exibidas().constLast().padrao, QStringLiteral("CEL"));
    QCOMPARE(a.mensagens.Exibidas().constLast().titulo, QStringLiteral("Palavra a localizar:"));
    QCOMPARE(a.mensagens.Exibidas().constLast().texto, QStringLiteral("Pesquisar"));
    // the row found in the last window is skipped no more
    QCOMPARE(segunda.Tabela().RecNo(), 0);

    Tfcadartic articulacoes(*a.dados, a.mensagens);
    articulacoes.btlocClick();
    QCOMPARE(a.mensagens.Exibidas().constLast().padrao, QString());
}

void TestCadastros::theGroupIndividualCanBeFoundButNotAlteredOrDeleted()
{
    AmbienteTeste a;
    a.Insere("TBgrupos", {{"Grupo", 1}, {"Nome", "EQUIPE"}, {"Temporada", "2024"}});
    TfCadGrupos cadastro(*a.dados, a.mensagens);
    auto *alterar = cadastro.findChild<QPushButton *>("btAlterar");
    auto *excluir = cadastro.findChild<QPushButton *>("btExcluir");
    QVERIFY(alterar && excluir && cadastro.findChild<QPushButton *>("BitBtn1"));
    QVERIFY(!alterar->isEnabled() && !excluir->isEnabled());

    a.mensagens.RespondeTexto(QStringLiteral("individual"));
    cadastro.btlocClick();
    QCOMPARE(cadastro.Tabela().Campo("Grupo").toInt(), 0);
    QVERIFY(!alterar->isEnabled());
    QVERIFY(!AbreJanela([&] { cadastro.btedtClick(); }));
    cadastro.btexcClick();
    // no confirmation asked
    QCOMPARE(a.mensagens.Exibidas().size(), 1);
    QCOMPARE(a.dados->Valores("TBgrupos", "Grupo"), (QVariantList{0, 1}));

    auto *grade = cadastro.findChild<QTableView *>("DBGrid1");
    grade->setCurrentIndex(grade->model()->index(1, 1));
    QCOMPARE(cadastro.Tabela().Campo("Nome").toString(), QStringLiteral("EQUIPE"));
    QVERIFY(alterar->isEnabled() && excluir->isEnabled());
    a.mensagens.Responde(Botao::Yes);
    excluir->click();
    QCOMPARE(a.dados->Valores("TBgrupos", "Nome"), QVariantList{"INDIVIDUAL"});
    QVERIFY(!alterar->isEnabled());
}

QTEST_MAIN(TestCadastros)
#include "test_cadastros.moc"
