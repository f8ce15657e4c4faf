// The new-evaluation window on a real database: lists and their reactions,
// the age, the checks of "&Iniciar Avaliação" and what it keeps.

#include "AmbienteTeste.h"
#include "Tfnovaavaliacao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

namespace {

QComboBox *Lista(QWidget *janela, const char *nome)
{
    auto *lista = janela->findChild<QComboBox *>(QLatin1String(nome));
    if (!lista)
        qFatal("lista %s não existe", nome);
    return lista;
}

QStringList Itens(QComboBox *lista)
{
    QStringList itens;
    for (int i = 0; i < lista->count(); ++i)
        itens << lista->itemText(i);
    return itens;
}

// As the user picks an entry of a drop-down list.
void Escolhe(QComboBox *lista, const QString &texto)
{
    const int indice = lista->findText(texto);
    if (indice < 0)
        qFatal("%s não está na lista", qPrintable(texto));
    lista->setCurrentIndex(indice);
    emit lista->activated(indice);
}

QString Foco(QWidget *janela)
{
    return janela->focusWidget() ? janela->focusWidget()->objectName() : QString();
}

void InsereAna(AmbienteTeste &a, const QDate &nascimento = QDate(1990, 1, 1))
{
    a.Insere("TBavaliados", {{"Avaliado", 1}, {"NomeAval", "ANA"}, {"Apelido", "NINA"},
                             {"Nascimento", nascimento}, {"Sexo", "F"}, {"Modalidade", "VOLEI"},
                             {"Posicao", "LEVANTADORA"}});
}

} // namespace

class TestNovaAvaliacao : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Vyrax-PRO")); }

    void anEmptyPersonTableStopsAtThePersonCheck();
    void eachFailedCheckNamesItsFieldAndTheSettingsAreWrittenAnyway_data();
    void eachFailedCheckNamesItsFieldAndTheSettingsAreWrittenAnyway();
    void aSuccessfulStartKeepsTheTextsShownAndTheShortestWeight();
    void theAgeCountsTwoDecimalsOfNinetySixAsAFurtherYear_data();
    void theAgeCountsTwoDecimalsOfNinetySixAsAFurtherYear();
    void nameNicknameAndNumberFollowEachOther();
    void keepingTheDataBringsBackTheLastEvaluatorWeightAndPerson();
    void withoutKeepingTheDataTheFieldsStartEmpty();
    void individualInEitherCaseChoosesGroupZero();
    void aNewPersonIsInsertedAndChosen();
    void aNewGroupIsInsertedAndChosen();
    void enterMovesToTheNextControl();
    void theParametersAndChartButtonsOpenWhatTheCallerGives();
    void closingWritesTheKeepDataChoice();
};

void TestNovaAvaliacao::anEmptyPersonTableStopsAtThePersonCheck()
{
    AmbienteTeste a;
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    QCOMPARE(Lista(&janela, "cpAvaliado")->count(), 0);
    QCOMPARE(Lista(&janela, "cpNome")->count(), 0);
    QCOMPARE(Lista(&janela, "cpApelido")->count(), 0);
    QCOMPARE(Itens(Lista(&janela, "cpGrupo")).size(), 2);
    QCOMPARE(Lista(&janela, "cpGrupo")->currentText().toUpper(), QStringLiteral("INDIVIDUAL"));

    Campo(&janela, "cpPeso")->setText(QStringLiteral("70"));
    Clica(&janela, "b1");
    QCOMPARE(a.mensagens.TextosDasCaixas(), QStringList{"O nome do Avaliado deve ser informado..."});
    QCOMPARE(a.mensagens.Exibidas().constFirst().titulo, QStringLiteral("Vyrax-PRO"));
    QCOMPARE(Foco(&janela), QStringLiteral("cpAvaliado"));
    QCOMPARE(janela.result(), 0);
}

void TestNovaAvaliacao::eachFailedCheckNamesItsFieldAndTheSettingsAreWrittenAnyway_data()
{
    QTest::addColumn<bool>("comGrupo");
    QTest::addColumn<QString>("sexo");
    QTest::addColumn<QString>("peso");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("campo");

    QTest::newRow("sem grupo") << false << "F" << "70" << "O nome do Grupo deve ser informado..." << "cpGrupo";
    QTest::newRow("sexo vazio") << true << "" << "70" << "O Sexo deve ser F ou M!" << "cpSexo";
    QTest::newRow("peso vazio") << true << "F" << "" << "O Peso deve ser informado..." << "cpPeso";
    QTest::newRow("peso zero") << true << "F" << "0" << "O Peso deve ser informado..." << "cpPeso";
    QTest::newRow("peso só vírgula") << true << "F" << "," << "O Peso deve ser informado..." << "cpPeso";
    QTest::newRow("peso 0,0") << true << "F" << "0,0" << "O Peso deve ser informado..." << "cpPeso";
}

void TestNovaAvaliacao::eachFailedCheckNamesItsFieldAndTheSettingsAreWrittenAnyway()
{
    QFETCH(bool, comGrupo);
    QFETCH(QString, sexo);
    QFETCH(QString, peso);
    QFETCH(QString, mensagem);
    QFETCH(QString, campo);
    AmbienteTeste a;
    a.Insere("TBavaliados", {{"Avaliado", 1}, {"NomeAval", "ANA"}, {"Nascimento", QDate(1990, 1, 1)},
                             {"Sexo", sexo}});
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    Escolhe(Lista(&janela, "cpNome"), "ANA");
    if (!comGrupo)
        Lista(&janela, "cpGrupo")->setCurrentIndex(-1);
    Campo(&janela, "cpPeso")->setText(peso);
    Campo(&janela, "cpAvaliador")->setText(QStringLiteral("JOSE"));
    janela.findChild<QCheckBox *>("CheckBox1")->setChecked(true);

    Clica(&janela, "b1");
    QCOMPARE(a.mensagens.TextosDasCaixas(), QStringList{mensagem});
    QCOMPARE(Foco(&janela), campo);
    QCOMPARE(janela.result(), 0);
    QCOMPARE(Campo(&janela, "cpPeso")->text(), peso);
    QCOMPARE(AmbienteTeste::Ajuste("Avaliado"), QStringLiteral("ANA"));
    QCOMPARE(AmbienteTeste::Ajuste("Peso"), peso);
    QCOMPARE(AmbienteTeste::Ajuste("Avaliador"), QStringLiteral("JOSE"));
    QCOMPARE(AmbienteTeste::Ajuste("UltimaConfig"), QStringLiteral("1"));
}

void TestNovaAvaliacao::aSuccessfulStartKeepsTheTextsShownAndTheShortestWeight()
{
    AmbienteTeste a;
    InsereAna(a);
    a.Insere("TBgrupos", {{"Grupo", 1}, {"Nome", "EQUIPE"}, {"Temporada", "2024"}});
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    janela.DefineAvaliacao(17, QDate(2024, 6, 15));
    QCOMPARE(Campo(&janela, "cpAvaliacao")->text(), QStringLiteral("17"));
    QCOMPARE(Campo(&janela, "cpData")->text(), QStringLiteral("15/06/2024"));

    Escolhe(Lista(&janela, "cpApelido"), "NINA");
    Escolhe(Lista(&janela, "cpGrupo"), "EQUIPE");
    QTest::keyClicks(Campo(&janela, "cpAvaliador"), QStringLiteral("jose"));
    QTest::keyClicks(Campo(&janela, "cpPeso"), QStringLiteral("72.,50a"));
    QTest::keyClicks(Campo(&janela, "cpExercicio"), QStringLiteral("ext"));
    janela.findChild<QPlainTextEdit *>("cpObs")->setPlainText(QStringLiteral("sem dor"));
    QCOMPARE(Campo(&janela, "cpPeso")->text(), QStringLiteral("72,50"));

    Clica(&janela, "b1");
    QCOMPARE(a.mensagens.Exibidas().size(), 0);
    QCOMPARE(janela.result(), int(QDialog::Accepted));
    QCOMPARE(Campo(&janela, "cpPeso")->text(), QStringLiteral("72,5"));
    const DadosNovaAvaliacao &d = janela.Dados();
    QCOMPARE(d.peso, QStringLiteral("72,5"));
    QCOMPARE(d.apelido, QStringLiteral("NINA"));
    QCOMPARE(d.nome, QStringLiteral("ANA"));
    QCOMPARE(d.avaliador, QStringLiteral("JOSE"));
    QCOMPARE(d.grupo, QStringLiteral("EQUIPE"));
    QCOMPARE(d.temporada, QStringLiteral("2024"));
    QVERIFY(!d.idade.isEmpty());
    QCOMPARE(d.idade, Campo(&janela, "cpIdade")->text());
    QCOMPARE(d.sexo, QStringLiteral("F"));
    QCOMPARE(d.exercicio, QStringLiteral("EXT"));
    QCOMPARE(d.obs, QStringLiteral("SEM DOR"));
    QCOMPARE(d.posicao, QStringLiteral("LEVANTADORA"));
    QCOMPARE(d.modalidade, QStringLiteral("VOLEI"));
}

void TestNovaAvaliacao::theAgeCountsTwoDecimalsOfNinetySixAsAFurtherYear_data()
{
    QTest::addColumn<int>("dias");
    QTest::addColumn<QString>("idade");
    QTest::newRow("349 dias") << 349 << "0";
    QTest::newRow("350 dias") << 350 << "1";
}

void TestNovaAvaliacao::theAgeCountsTwoDecimalsOfNinetySixAsAFurtherYear()
{
    QFETCH(int, dias);
    QFETCH(QString, idade);
    AmbienteTeste a;
    InsereAna(a, QDate::currentDate().addDays(-dias));
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    Escolhe(Lista(&janela, "cpNome"), "ANA");
    QCOMPARE(Campo(&janela, "cpIdade")->text(), idade);
}

void TestNovaAvaliacao::nameNicknameAndNumberFollowEachOther()
{
    AmbienteTeste a;
    InsereAna(a);
    a.Insere("TBavaliados", {{"Avaliado", 2}, {"NomeAval", "BRUNO"}, {"Nascimento", QDate(2000, 1, 1)},
                             {"Sexo", "M"}});
    a.Insere("TBavaliados", {{"Avaliado", 3}, {"NomeAval", "ALICE"}, {"Apelido", "LI"},
                             {"Nascimento", QDate(2001, 1, 1)}, {"Sexo", "F"}});
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    QComboBox *numero = Lista(&janela, "cpAvaliado");
    QComboBox *nome = Lista(&janela, "cpNome");
    QComboBox *apelido = Lista(&janela, "cpApelido");
    QCOMPARE(Itens(numero), (QStringList{"1", "2", "3"}));
    QCOMPARE(Itens(nome), (QStringList{"ALICE", "ANA", "BRUNO"}));
    QCOMPARE(Itens(apelido), (QStringList{"LI", "NINA"}));
    QCOMPARE(numero->currentIndex(), -1);

    Escolhe(numero, "2");
    QCOMPARE(nome->currentText(), QStringLiteral("BRUNO"));
    QCOMPARE(apelido->currentIndex(), -1);
    QCOMPARE(Campo(&janela, "cpSexo")->text(), QStringLiteral("M"));

    Escolhe(apelido, "LI");
    QCOMPARE(numero->currentText(), QStringLiteral("3"));
    QCOMPARE(nome->currentText(), QStringLiteral("ALICE"));

    Escolhe(nome, "ANA");
    QCOMPARE(numero->currentText(), QStringLiteral("1"));
    QCOMPARE(apelido->currentText(), QStringLiteral("NINA"));
    QCOMPARE(Campo(&janela, "cpSexo")->text(), QStringLiteral("F"));
}

void TestNovaAvaliacao::keepingTheDataBringsBackTheLastEvaluatorWeightAndPerson()
{
    AmbienteTeste a;
    InsereAna(a, QDate::currentDate().addDays(-350));
    RegistroIni ajustes = AmbienteTeste::Configuracao();
    ajustes.WriteBool("Dados", "UltimaConfig", true);
    ajustes.WriteString("Dados", "Peso", "80,5");
    ajustes.WriteString("Dados", "Avaliador", "JOSE");
    ajustes.WriteString("Dados", "Avaliado", "ANA");

    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    QVERIFY(janela.findChild<QCheckBox *>("CheckBox1")->isChecked());
    QCOMPARE(Campo(&janela, "cpPeso")->text(), QStringLiteral("80,5"));
    QCOMPARE(Campo(&janela, "cpAvaliador")->text(), QStringLiteral("JOSE"));
    QCOMPARE(Lista(&janela, "cpNome")->currentText(), QStringLiteral("ANA"));
    QCOMPARE(Lista(&janela, "cpAvaliado")->currentText(), QStringLiteral("1"));
    QCOMPARE(Campo(&janela, "cpIdade")->text(), QStringLiteral("1"));
    QCOMPARE(Campo(&janela, "cpSexo")->text(), QStringLiteral("F"));
}

void TestNovaAvaliacao::withoutKeepingTheDataTheFieldsStartEmpty()
{
    AmbienteTeste a;
    InsereAna(a);
    RegistroIni ajustes = AmbienteTeste::Configuracao();
    ajustes.WriteString("Dados", "Peso", "80,5");
    ajustes.WriteString("Dados", "Avaliador", "JOSE");
    ajustes.WriteString("Dados", "Avaliado", "ANA");

    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    QVERIFY(!janela.findChild<QCheckBox *>("CheckBox1")->isChecked());
    QCOMPARE(Campo(&janela, "cpPeso")->text(), QString());
    QCOMPARE(Campo(&janela, "cpAvaliador")->text(), QString());
    QCOMPARE(Lista(&janela, "cpNome")->currentIndex(), -1);
}

void TestNovaAvaliacao::individualInEitherCaseChoosesGroupZero()
{
    AmbienteTeste a;
    QVERIFY(a.dados->Executa("UPDATE TBgrupos SET Temporada = '2022' WHERE Grupo = 0"));
    a.dados->Alterada("TBgrupos");
    a.Insere("TBgrupos", {{"Grupo", 1}, {"Nome", "EQUIPE"}, {"Temporada", "2024"}});
    a.Insere("TBgrupos", {{"Grupo", 2}, {"Nome", "EQUIPE"}, {"Temporada", "2023"}});
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    QComboBox *grupo = Lista(&janela, "cpGrupo");
    QComboBox *temporada = Lista(&janela, "cpTemporada");

    Escolhe(grupo, "Individual");
    QCOMPARE(Itens(temporada), QStringList{"2022"});
    QCOMPARE(temporada->currentText(), QStringLiteral("2022"));

    Escolhe(grupo, "EQUIPE");
    QCOMPARE(Itens(temporada), (QStringList{"2023", "2024"}));
    QCOMPARE(temporada->currentText(), QStringLiteral("2024"));

    Escolhe(grupo, "INDIVIDUAL");
    QCOMPARE(temporada->count(), 0);
}

void TestNovaAvaliacao::aNewPersonIsInsertedAndChosen()
{
    AmbienteTeste a;
    InsereAna(a);
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    QString titulo;
    NaJanelaModal([&](QDialog *edicao) {
        titulo = edicao->windowTitle();
        Campo(edicao, "cpNome")->setText(QStringLiteral("BRUNO"));
        Campo(edicao, "cpNascimento")->setText(QStringLiteral("02/03/2004"));
        Campo(edicao, "cpSexo")->setText(QStringLiteral("M"));
        Clica(edicao, "btinserir");
    });
    Clica(&janela, "btNovoAvaliado");

    QCOMPARE(titulo, QStringLiteral("Novo Avaliado"));
    QCOMPARE(a.dados->Valores("TBavaliados", "NomeAval"), (QVariantList{"ANA", "BRUNO"}));
    QCOMPARE(Lista(&janela, "cpAvaliado")->currentText(), QStringLiteral("2"));
    QCOMPARE(Lista(&janela, "cpNome")->currentText(), QStringLiteral("BRUNO"));
    QCOMPARE(Campo(&janela, "cpSexo")->text(), QStringLiteral("M"));
}

void TestNovaAvaliacao::aNewGroupIsInsertedAndChosen()
{
    AmbienteTeste a;
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    NaJanelaModal([](QDialog *edicao) {
        QCOMPARE(edicao->windowTitle(), QStringLiteral("Novo Grupo"));
        Campo(edicao, "cpNome")->setText(QStringLiteral("EQUIPE B"));
        Campo(edicao, "cpTemporada")->setText(QStringLiteral("2025"));
        Clica(edicao, "btInserir");
    });
    Clica(&janela, "btNovoGrupo");

    QCOMPARE(a.dados->Valores("TBgrupos", "Grupo"), (QVariantList{0, 1}));
    QCOMPARE(Lista(&janela, "cpGrupo")->currentText(), QStringLiteral("EQUIPE B"));
}

void TestNovaAvaliacao::enterMovesToTheNextControl()
{
    AmbienteTeste a;
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    janela.show();
    QCOMPARE(Foco(&janela), QStringLiteral("cpAvaliador"));
    QTest::keyClick(Campo(&janela, "cpAvaliador"), Qt::Key_Return);
    QCOMPARE(Foco(&janela), QStringLiteral("cpAvaliado"));
    Campo(&janela, "cpPeso")->setFocus();
    QTest::keyClick(Campo(&janela, "cpPeso"), Qt::Key_Enter);
    QCOMPARE(Foco(&janela), QStringLiteral("cpExercicio"));
    QVERIFY(janela.isVisible());
    QCOMPARE(a.mensagens.Exibidas().size(), 0);
}

void TestNovaAvaliacao::theParametersAndChartButtonsOpenWhatTheCallerGives()
{
    AmbienteTeste a;
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    auto *parametros = janela.findChild<QPushButton *>("btParametros");
    QVERIFY(!parametros->isEnabled());

    int abertos = 0;
    janela.DefineJanelas([&] { abertos += 1; }, [&] { abertos += 10; });
    Clica(&janela, "btParametros");
    Clica(&janela, "btGraficos");
    QCOMPARE(abertos, 11);
}

void TestNovaAvaliacao::closingWritesTheKeepDataChoice()
{
    AmbienteTeste a;
    Tfnovaavaliacao janela(*a.dados, a.mensagens);
    janela.findChild<QCheckBox *>("CheckBox1")->setChecked(true);
    Clica(&janela, "Cancelar");
    QCOMPARE(janela.result(), int(QDialog::Rejected));
    QCOMPARE(AmbienteTeste::Ajuste("UltimaConfig"), QStringLiteral("1"));
}

QTEST_MAIN(TestNovaAvaliacao)
#include "test_novaavaliacao.moc"
