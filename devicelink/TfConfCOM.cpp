#include "TfConfCOM.h"
#include "ui_TfConfCOM.h"

#include "Janelas.h"
#include "Mensagens.h"
#include "RegistroIni.h"

#include <QHeaderView>
#include <QShowEvent>

namespace {

const QString Titulo = QStringLiteral("Comunicação");
const QString Disponivel = QStringLiteral("Disponível");
const QString NaoDisponivel = QStringLiteral("Não disponível");
const QString TextoTeste = QStringLiteral("&Teste de Comunicação");
// The first try and the two that follow a stop request.
constexpr int TentativasTeste = 3;

QString LePortaSalva()
{
    return RegistroIni(ChaveVyrax).ReadString(SecaoDados, QStringLiteral("Porta"), QString());
}

} // namespace

TfConfCOM::TfConfCOM(Mensagens &mensagens, QWidget *pai, SupervisaoInterface::ListaPortasFn listaPortas)
    : QDialog(pai, Qt::Tool),
      ui(std::make_unique<Ui::TfConfCOM>()),
      m_mensagens(mensagens),
      m_listaPortas(std::move(listaPortas)),
      m_portaSalva(LePortaSalva())
{
    ui->setupUi(this);
    PintaCorJanela(this);
    ui->lbPortas->header()->setSectionResizeMode(QHeaderView::Stretch);
    ui->lbPortas->header()->setSectionsMovable(false);
    connect(ui->lbPortas, &QTreeWidget::itemClicked, this, &TfConfCOM::lbPortasClick);
    connect(ui->btTeste, &QPushButton::clicked, this, &TfConfCOM::btTesteClick);
    connect(ui->btCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btConfirmar, &QPushButton::clicked, this, &QDialog::accept);
    CentraNaTela(this);
}

TfConfCOM::~TfConfCOM() = default;

void TfConfCOM::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        FormShow();
}

QString TfConfCOM::PortaDaLinha(const QString &linha)
{
    return linha.section(QLatin1Char(';'), 0, 0).remove(QLatin1Char('*')).trimmed();
}

QStringList TfConfCOM::Linhas() const
{
    QStringList linhas;
    for (int i = 0; i < ui->lbPortas->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = ui->lbPortas->topLevelItem(i);
        linhas << item->text(0) + QLatin1Char(';') + item->text(1);
    }
    return linhas;
}

QString TfConfCOM::LinhaSelecionada() const
{
    const QTreeWidgetItem *item = ui->lbPortas->currentItem();
    return item ? item->text(0) + QLatin1Char(';') + item->text(1) : QString();
}

void TfConfCOM::FormShow()
{
    m_portaSalva = LePortaSalva();
    ui->lbPortas->clear();
    m_portaEscolhida.clear();

    const QString lista = m_listaPortas();
    const QStringList portas = lista.isEmpty() ? QStringList() : lista.split(QLatin1Char(','));
    int linhaSalva = 0;
    for (const QString &porta : portas) {
        const bool salva = porta.toUpper() == m_portaSalva.toUpper();
        if (salva)
            linhaSalva = ui->lbPortas->topLevelItemCount();
        // Every port is opened and closed once to tell whether it is free.
        const QString disponibilidade = TestaPorta(porta) ? Disponivel : NaoDisponivel;
        new QTreeWidgetItem(ui->lbPortas, {salva ? porta + QLatin1Char('*') : porta, disponibilidade});
    }
    if (ui->lbPortas->topLevelItemCount() > 0) {
        ui->lbPortas->setCurrentItem(ui->lbPortas->topLevelItem(linhaSalva));
        m_portaEscolhida = PortaDaLinha(LinhaSelecionada());
    }
    ui->btTeste->setEnabled(!m_portaEscolhida.isEmpty());
    ui->stLocalizando->setText(QStringLiteral("Portas Seriais localizadas no sistema:"));
}

void TfConfCOM::lbPortasClick()
{
    const QString anterior = m_portaEscolhida;
    m_portaEscolhida = PortaDaLinha(LinhaSelecionada());
    ui->btTeste->setEnabled(!m_portaEscolhida.isEmpty());
    // Another port has to pass a test before it can be confirmed.
    ui->btConfirmar->setEnabled(m_portaEscolhida == anterior);
}

bool TfConfCOM::ProcuraInterface(const TPorta &porta)
{
    TQuadro quadro{};
    LimpaBuffers(porta);
    EnviaComando(porta, ComandoIdentificar);
    if (RecebeIdentificacao(porta, quadro, SupervisaoInterface::TimeoutIdentificacao))
        return true;
    for (int tentativa = 1; tentativa < TentativasTeste; ++tentativa) {
        EnviaComando(porta, ComandoParar);
        Pausa(SupervisaoInterface::PausaPedidos);
        LimpaBuffers(porta);
        Pausa(SupervisaoInterface::PausaPedidos);
        EnviaComando(porta, ComandoIdentificar);
        if (RecebeIdentificacao(porta, quadro, SupervisaoInterface::TimeoutIdentificacao))
            return true;
    }
    return false;
}

void TfConfCOM::btTesteClick()
{
    const QString porta = m_portaEscolhida;
    ui->btTeste->setText(QStringLiteral("Testando... aguarde"));
    ui->btTeste->repaint();

    TPorta temporaria;
    if (!AbrePortaInterface(temporaria, porta)) {
        m_mensagens.Caixa(this, Titulo, QStringLiteral("Impossível estabelecer Comunicação na porta %1.").arg(porta),
                          Icone::Erro, Botoes::Ok);
    } else if (ProcuraInterface(temporaria)) {
        m_mensagens.Caixa(this, Titulo,
                          QStringLiteral("Comunicação com Interface estabelecida com sucesso na porta %1!").arg(porta),
                          Icone::Informacao, Botoes::Ok);
        ui->btConfirmar->setEnabled(true);
    } else {
        m_mensagens.Caixa(this, Titulo,
                          QStringLiteral("Porta Serial encontrada, mas Comunicação com Interface não pôde ser "
                                         "estabelecida!\rVerifique se a Interface está ligada e os cabos "
                                         "conectados corretamente."),
                          Icone::Erro, Botoes::Ok);
    }
    FechaPorta(temporaria);
    ui->btTeste->setText(TextoTeste);
    ui->btTeste->setEnabled(false);
}
