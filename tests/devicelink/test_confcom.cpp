// The communication settings window against in-process simulated devices:
// one that answers, one that stays silent, one port held by someone else.

#include "Auxiliares.h"
#include "InterfaceForca.h"
#include "MensagensRoteiro.h"
#include "RegistroIni.h"
#include "TfConfCOM.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString Identificar = QStringLiteral("0a c0 d0 01 00 6f 0f ");

} // namespace

class TesteConfCOM : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void theListShowsEveryPortWithItsAvailabilityAndPreselectsTheSavedOne();
    void aSuccessfulTestIsReportedAndAllowsConfirming();
    void aSilentPortFailsAfterThreeAttempts();
    void aBusyPortCannotBeTested();
    void selectingAnotherPortDisablesConfirmUntilItsTestSucceeds();
    void withoutPortsOnlyCancelIsUsable();
    void thePortNameIsTheTextBeforeTheMarkOrTheSemicolon_data();
    void thePortNameIsTheTextBeforeTheMarkOrTheSemicolon();

private:
    std::unique_ptr<TfConfCOM> Abre(const QString &portaSalva, SupervisaoInterface::ListaPortasFn lista = {});
    void Clica(TfConfCOM &janela, const QString &porta);
    static QPushButton *Botao(TfConfCOM &janela, const char *nome) { return janela.findChild<QPushButton *>(QLatin1String(nome)); }

    std::unique_ptr<PastaPortasTemporaria> m_portas;
    std::unique_ptr<QTemporaryDir> m_config;
    InterfaceForca m_interface;
    Gravador m_mudo;
    Gravador m_ocupado;
    std::unique_ptr<ServidorEmTeste> m_sim1;
    std::unique_ptr<ServidorEmTeste> m_sim2;
    std::unique_ptr<ServidorEmTeste> m_sim3;
    TPorta m_portaDeOutro;
    MensagensRoteiro m_mensagens;
};

void TesteConfCOM::initTestCase()
{
    m_portas = std::make_unique<PastaPortasTemporaria>();
    m_sim1 = std::make_unique<ServidorEmTeste>(m_interface, QStringLiteral("SIM1"));
    m_sim2 = std::make_unique<ServidorEmTeste>(m_ocupado, QStringLiteral("SIM2"));
    m_sim3 = std::make_unique<ServidorEmTeste>(m_mudo, QStringLiteral("SIM3"));
    QVERIFY(m_sim1->erro.isEmpty() && m_sim2->erro.isEmpty() && m_sim3->erro.isEmpty());
    // Another program has SIM2.
    QVERIFY(AbrePorta(m_portaDeOutro, QStringLiteral("SIM2"), 115200, 8, 'n', 2, false, false, 8192));
}

void TesteConfCOM::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("VYRAX_CONFIG_DIR", m_config->path().toUtf8());
    m_mensagens = MensagensRoteiro();
}

void TesteConfCOM::cleanupTestCase()
{
    FechaPorta(m_portaDeOutro);
    m_sim1.reset();
    m_sim2.reset();
    m_sim3.reset();
}

std::unique_ptr<TfConfCOM> TesteConfCOM::Abre(const QString &portaSalva, SupervisaoInterface::ListaPortasFn lista)
{
    RegistroIni(QStringLiteral("Morvek.Vyrax")).WriteString(QStringLiteral("Dados"), QStringLiteral("Porta"), portaSalva);
    if (!lista) {
        const QString pasta = m_portas->Caminho();
        lista = [pasta] { return enlace::PortasRegistradas(pasta).join(QLatin1Char(',')); };
    }
    auto janela = std::make_unique<TfConfCOM>(m_mensagens, nullptr, lista);
    janela->show();
    return janela;
}

void TesteConfCOM::Clica(TfConfCOM &janela, const QString &porta)
{
    auto *lista = janela.findChild<QTreeWidget *>(QStringLiteral("lbPortas"));
    const auto itens = lista->findItems(porta, Qt::MatchStartsWith);
    QCOMPARE(itens.size(), 1);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(itens.first()).center());
    QCOMPARE(janela.PortaEscolhida(), porta);
}

void TesteConfCOM::theListShowsEveryPortWithItsAvailabilityAndPreselectsTheSavedOne()
{
    auto janela = Abre(QStringLiteral("sim3"));
    QCOMPARE(janela->Linhas(), (QStringList{QStringLiteral("SIM1;Disponível"), QStringLiteral("SIM2;Não disponível"),
                                            QStringLiteral("SIM3*;Disponível")}));
    QCOMPARE(janela->PortaEscolhida(), QStringLiteral("SIM3"));
    QVERIFY(Botao(*janela, "btTeste")->isEnabled());
    QVERIFY(!Botao(*janela, "btConfirmar")->isEnabled());
    QCOMPARE(janela->findChild<QLabel *>(QStringLiteral("stLocalizando"))->text(),
             QStringLiteral("Portas Seriais localizadas no sistema:"));
    auto *cabecalho = janela->findChild<QTreeWidget *>(QStringLiteral("lbPortas"))->headerItem();
    QCOMPARE(cabecalho->text(0), QStringLiteral("Porta"));
    QCOMPARE(cabecalho->text(1), QStringLiteral("Disponibilidade"));
}

void TesteConfCOM::aSuccessfulTestIsReportedAndAllowsConfirming()
{
    auto janela = Abre(QStringLiteral("SIM1"));
    QTest::mouseClick(Botao(*janela, "btTeste"), Qt::LeftButton);

    QCOMPARE(m_mensagens.Exibidas().size(), 1);
    const auto &caixa = m_mensagens.Exibidas().first();
    QCOMPARE(caixa.titulo, QStringLiteral("Comunicação"));
    QCOMPARE(caixa.texto, QStringLiteral("Comunicação com Interface estabelecida com sucesso na porta SIM1!"));
    QCOMPARE(caixa.icone, Icone::Informacao);
    QVERIFY(Botao(*janela, "btConfirmar")->isEnabled());
    QVERIFY(!Botao(*janela, "btTeste")->isEnabled());
    QCOMPARE(Botao(*janela, "btTeste")->text(), QStringLiteral("&Teste de Comunicação"));

    QTest::mouseClick(Botao(*janela, "btConfirmar"), Qt::LeftButton);
    QCOMPARE(janela->result(), int(QDialog::Accepted));
    QCOMPARE(janela->PortaEscolhida(), QStringLiteral("SIM1"));
}

void TesteConfCOM::aSilentPortFailsAfterThreeAttempts()
{
    auto janela = Abre(QStringLiteral("SIM3"));
    QTest::mouseClick(Botao(*janela, "btTeste"), Qt::LeftButton);

    QCOMPARE(m_mensagens.TextosDasCaixas(),
             QStringList{QStringLiteral("Porta Serial encontrada, mas Comunicação com Interface não pôde ser estabelecida!\r"
                                        "Verifique se a Interface está ligada e os cabos conectados corretamente.")});
    QCOMPARE(m_mensagens.Exibidas().first().icone, Icone::Erro);
    QVERIFY(!Botao(*janela, "btConfirmar")->isEnabled());
    // What the device heard (before this, only the availability checks) is
    // read with its server stopped; then it is served again.
    m_sim3->Termina();
    QCOMPARE(QString::fromLatin1(m_mudo.eventos).count(Identificar), 3);
    m_sim3.reset();
    m_sim3 = std::make_unique<ServidorEmTeste>(m_mudo, QStringLiteral("SIM3"));
    QVERIFY(m_sim3->erro.isEmpty());
}

void TesteConfCOM::aBusyPortCannotBeTested()
{
    auto janela = Abre(QStringLiteral("SIM2"));
    QTest::mouseClick(Botao(*janela, "btTeste"), Qt::LeftButton);
    QCOMPARE(m_mensagens.TextosDasCaixas(), QStringList{QStringLiteral("Impossível estabelecer Comunicação na porta SIM2.")});
    QCOMPARE(m_mensagens.Exibidas().first().icone, Icone::Erro);
    QVERIFY(!Botao(*janela, "btTeste")->isEnabled());
}

void TesteConfCOM::selectingAnotherPortDisablesConfirmUntilItsTestSucceeds()
{
    auto janela = Abre(QStringLiteral("SIM3"));
    Clica(*janela, QStringLiteral("SIM3"));
    QVERIFY2(Botao(*janela, "btConfirmar")->isEnabled(), "the saved port may be confirmed again");

    Clica(*janela, QStringLiteral("SIM1"));
    QVERIFY(!Botao(*janela, "btConfirmar")->isEnabled());
    QVERIFY(Botao(*janela, "btTeste")->isEnabled());
    QTest::mouseClick(Botao(*janela, "btTeste"), Qt::LeftButton);
    QVERIFY(Botao(*janela, "btConfirmar")->isEnabled());
}

void TesteConfCOM::withoutPortsOnlyCancelIsUsable()
{
    auto janela = Abre(QStringLiteral("SIM1"), [] { return QString(); });
    QVERIFY(janela->Linhas().isEmpty());
    QVERIFY(janela->PortaEscolhida().isEmpty());
    QVERIFY(!Botao(*janela, "btTeste")->isEnabled());
    QVERIFY(!Botao(*janela, "btConfirmar")->isEnabled());
    QVERIFY(Botao(*janela, "btCancelar")->isEnabled());
    QTest::mouseClick(Botao(*janela, "btCancelar"), Qt::LeftButton);
    QCOMPARE(janela->result(), int(QDialog::Rejected));
}

void TesteConfCOM::thePortNameIsTheTextBeforeTheMarkOrTheSemicolon_data()
{
    QTest::addColumn<QString>("linha");
    QTest::addColumn<QString>("porta");
    QTest::newRow("saved port") << QStringLiteral("SIM1*;Disponível") << QStringLiteral("SIM1");
    QTest::newRow("device name") << QStringLiteral("ttyUSB0;Não disponível") << QStringLiteral("ttyUSB0");
    QTest::newRow("two-digit port") << QStringLiteral("COM12*;Disponível") << QStringLiteral("COM12");
    QTest::newRow("empty line") << QString() << QString();
}

void TesteConfCOM::thePortNameIsTheTextBeforeTheMarkOrTheSemicolon()
{
    QFETCH(QString, linha);
    QFETCH(QString, porta);
    QCOMPARE(TfConfCOM::PortaDaLinha(linha), porta);
}

QTEST_MAIN(TesteConfCOM)
#include "test_confcom.moc"
