#include "Cadastro.h"

#include "AjudaJanela.h"
#include "Janelas.h"
#include "Configuracao.h"
#include "EdicaoCadastro.h"
#include "Mensagens.h"
#include "ModeloTabela.h"
#include "TabelaDados.h"
#include "Tfdados.h"

#include "ui_Cadastro.h"

#include <QApplication>
#include <QHeaderView>

namespace {

QStringList TextosDaLinha(const Registro &linha)
{
    QStringList textos;
    for (int i = 0; i < linha.Quantidade(); ++i)
        textos << TextoCampo(linha.Valor(i));
    return textos;
}

// The grid: the fields of the catalogue under their titles, written as the
// user reads them.
class ModeloCadastro : public ModeloTabela {
public:
    ModeloCadastro(Tfdados &dados, const TfCadastro::Descricao &descricao, QObject *pai)
        : ModeloTabela(dados, descricao.tabela, descricao.colunas, pai), m_titulos(descricao.titulos)
    {
    }

    QVariant data(const QModelIndex &indice, int papel) const override
    {
        const QVariant valor = ModeloTabela::data(indice, papel);
        return papel == Qt::DisplayRole ? QVariant(TextoCampo(valor)) : valor;
    }

    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override
    {
        if (orientacao == Qt::Horizontal && papel == Qt::DisplayRole && secao < m_titulos.size())
            return m_titulos.at(secao);
        return ModeloTabela::headerData(secao, orientacao, papel);
    }

private:
    QStringList m_titulos;
};

} // namespace

TfCadastro::TfCadastro(const Descricao &descricao, Tfdados &dados, Mensagens &mensagens,
                       EstadoLocalizar *estado, QWidget *pai)
    : QDialog(pai), ui(std::make_unique<Ui::Cadastro>()), m_tabela(*dados.Tabela(descricao.tabela)),
      m_mensagens(mensagens),
      m_descricao(descricao), m_estado(estado ? estado : &m_estadoProprio)
{
    ui->setupUi(this);
    setObjectName(descricao.nomeClasse);
    setWindowTitle(descricao.titulo);
    setWindowFlag(Qt::Tool);
    CentraNaTela(this);

    ui->DBGrid1->setModel(new ModeloCadastro(dados, descricao, this));
    ui->DBGrid1->verticalHeader()->hide();
    ui->DBGrid1->horizontalHeader()->setStretchLastSection(true);
    connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &atual) {
                if (atual.isValid() && atual.row() != m_tabela.RecNo())
                    m_tabela.MoveTo(atual.row());
            });
    connect(&m_tabela, &TabelaDados::Moveu, this, &TfCadastro::MostraLinhaAtual);

    connect(ui->btins, &QPushButton::clicked, this, &TfCadastro::btinsClick);
    connect(ui->btedt, &QPushButton::clicked, this, &TfCadastro::btedtClick);
    connect(ui->btexc, &QPushButton::clicked, this, &TfCadastro::btexcClick);
    connect(ui->btloc, &QPushButton::clicked, this, &TfCadastro::btlocClick);
    connect(ui->btlocnext, &QPushButton::clicked, this, &TfCadastro::btlocnextClick);
    connect(ui->btFechar, &QPushButton::clicked, this, &TfCadastro::btFecharClick);

    m_tabela.First();
    MostraLinhaAtual();
}

TfCadastro::~TfCadastro() = default;

void TfCadastro::MostraLinhaAtual()
{
    if (m_gradeSuspensa)
        return;
    const int linha = m_tabela.RecNo();
    if (linha >= 0)
        ui->DBGrid1->setCurrentIndex(ui->DBGrid1->model()->index(linha, 0));
    AtualizaBotoes();
}

void TfCadastro::AtualizaBotoes()
{
    const bool alteravel = !LinhaProtegida();
    ui->btedt->setEnabled(alteravel);
    ui->btexc->setEnabled(alteravel);
}

void TfCadastro::btinsClick()
{
    const std::unique_ptr<TfEdicao> edicao = CriaEdicao();
    InsereLinha(m_tabela, m_descricao.campoChave, *edicao, m_descricao.tituloInserir, m_mensagens,
                [this] { CompletaInsercao(); });
    Reabre();
}

void TfCadastro::btedtClick()
{
    if (m_tabela.IsEmpty() || LinhaProtegida())
        return;
    if (!m_tabela.Edit())
        return MostraErro(m_tabela.Erro());
    const std::unique_ptr<TfEdicao> edicao = CriaEdicao();
    if (edicao->Mostra(m_descricao.tituloAlterar, QStringLiteral("&Alterar")) == QDialog::Accepted)
        GravaLinha(m_tabela, m_mensagens, this);
    else
        m_tabela.Cancel();
    Reabre();
}

void TfCadastro::btexcClick()
{
    if (m_tabela.IsEmpty()) {
        if (!m_descricao.mensagemSemLinhas.isEmpty())
            m_mensagens.Caixa(this, QStringLiteral("Atenção"), m_descricao.mensagemSemLinhas,
                              Icone::Exclamacao, Botoes::Ok);
        return;
    }
    if (LinhaProtegida())
        return;
    const Botao resposta = m_mensagens.Caixa(this, QStringLiteral("Atenção"),
                                             QStringLiteral("Confirma a exclusão?"),
                                             Icone::Pergunta, Botoes::YesNo);
    if (resposta != Botao::Yes)
        return;
    if (!m_tabela.Delete())
        return MostraErro(m_tabela.Erro());
    AposExcluir();
}

void TfCadastro::AposExcluir()
{
    if (m_descricao.configuracao.isEmpty())
        return;
    const QString atual = m_tabela.IsEmpty() ? QString()
                                             : m_tabela.Campo(m_descricao.campoNome).toString();
    ConfiguracaoVyrax().WriteString(SecaoDados, m_descricao.configuracao, atual);
}

void TfCadastro::btlocClick()
{
    const QString texto = m_mensagens.Entrada(this, QStringLiteral("Palavra a localizar:"),
                                              QStringLiteral("Pesquisar"), m_estado->Busca());
    m_estado->NovaBusca(texto);
    m_tabela.First();
    LocalizarProximo();
}

void TfCadastro::btlocnextClick()
{
    LocalizarProximo();
}

void TfCadastro::LocalizarProximo()
{
    // The grid follows only the row where the search stops.
    m_gradeSuspensa = true;
    while (!m_tabela.Eof()) {
        if (m_estado->Confere(TextoLinhaLocalizar(TextosDaLinha(m_tabela.Atual()))))
            break;
        m_tabela.Next();
    }
    m_gradeSuspensa = false;
    MostraLinhaAtual();
}

void TfCadastro::btFecharClick()
{
    close();
}

void TfCadastro::done(int resultado)
{
    QDialog::done(resultado);
    emit ListasAlteradas();
}

void TfCadastro::Reabre()
{
    m_tabela.Atualiza();
    m_tabela.First();
    MostraLinhaAtual();
}

void TfCadastro::MostraErro(const QString &texto)
{
    m_mensagens.Caixa(this, QApplication::applicationDisplayName(), texto, Icone::Erro, Botoes::Ok);
}

// ---- the six catalogues ----

Tfcadeqp::Tfcadeqp(Tfdados &dados, Mensagens &mensagens, EstadoLocalizar &estadoDaExecucao,
                   QWidget *pai)
    : TfCadastro({QStringLiteral("Tfcadeqp"), QStringLiteral("Cadastro de Transdutor"), QStringLiteral("TBeqp"),
                  QStringLiteral("Cod"), QStringLiteral("Novo Transdutor"),
                  QStringLiteral("Alterar Transdutor"), {QStringLiteral("Equipamento")},
                  {QStringLiteral("Transdutor")}, QStringLiteral("Equipamento"),
                  QStringLiteral("Equipamento"),
                  QStringLiteral("Nenhum Equipamento para ser excluido. ")},
                 dados, mensagens, &estadoDaExecucao, pai)
{
}

std::unique_ptr<TfEdicao> Tfcadeqp::CriaEdicao()
{
    return std::make_unique<Tfnovoeqp>(m_tabela, m_mensagens, this);
}

void Tfcadeqp::CompletaInsercao()
{
    // Every calibration slot starts uncalibrated, without tare, index 1.
    struct Inicial { const char *prefixo; int valor; };
    static const Inicial iniciais[] = {{"Cal", 1}, {"Cp", 0}, {"Sp", 0}, {"C", 2}, {"Vz", 0}, {"T", 2}};
    for (const Inicial &inicial : iniciais) {
        for (int slot = 1; slot <= 7; ++slot) {
            const QString campo = QLatin1String(inicial.prefixo) + QString::number(slot);
            if (m_tabela.Campo(campo).isNull())
                m_tabela.SetCampo(campo, inicial.valor);
        }
    }
}

Tfcadtransdutor::Tfcadtransdutor(Tfdados &dados, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("Tfcadtransdutor"), QStringLiteral("Cadastro de Acessórios"), QStringLiteral("TBtrans"),
                  QStringLiteral("Cod"), QStringLiteral("Novo Acessório"),
                  QStringLiteral("Alterar Acessório"), {QStringLiteral("Transdutor")},
                  {QStringLiteral("Acessório")}, QStringLiteral("Transdutor"),
                  QStringLiteral("Transdutor"), {}},
                 dados, mensagens, nullptr, pai)
{
}

std::unique_ptr<TfEdicao> Tfcadtransdutor::CriaEdicao()
{
    return std::make_unique<Tfnovotransdutor>(m_tabela, m_mensagens, this);
}

Tfcadartic::Tfcadartic(Tfdados &dados, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("Tfcadartic"), QStringLiteral("Cadastro de Articulação"), QStringLiteral("TBartc"),
                  QStringLiteral("Cod"), QStringLiteral("Nova Articulação"),
                  QStringLiteral("Alterar Articulação"), {QStringLiteral("Articulacao")},
                  {QStringLiteral("Articulação")}, QStringLiteral("Articulacao"),
                  QStringLiteral("Articulacao"), {}},
                 dados, mensagens, nullptr, pai)
{
}

std::unique_ptr<TfEdicao> Tfcadartic::CriaEdicao()
{
    return std::make_unique<Tfnovaartic>(m_tabela, m_mensagens, this);
}

Tfcadcontracao::Tfcadcontracao(Tfdados &dados, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("Tfcadcontracao"), QStringLiteral("Cadastro de Contrações"), QStringLiteral("TBcontracao"),
                  QStringLiteral("Cod"), QStringLiteral("Novas Contrações"),
                  QStringLiteral("Alterar Contrações"),
                  {QStringLiteral("PrimeiraAgo"), QStringLiteral("SegundaAnt")},
                  {QStringLiteral("Agônica"), QStringLiteral("Antagônica")}, {}, {}, {}},
                 dados, mensagens, nullptr, pai)
{
}

std::unique_ptr<TfEdicao> Tfcadcontracao::CriaEdicao()
{
    return std::make_unique<Tfnovacontracao>(m_tabela, m_mensagens, this);
}

void Tfcadcontracao::AposExcluir()
{
    RegistroIni configuracao = ConfiguracaoVyrax();
    configuracao.WriteString(SecaoDados, QStringLiteral("ContracaoContraria"), QString());
    configuracao.WriteString(SecaoDados, QStringLiteral("IniciaContracao"), QString());
    emit ListasAlteradas();
}

TfCadAvaliados::TfCadAvaliados(Tfdados &dados, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("TfCadAvaliados"), QStringLiteral("Cadastro de Avaliados"), QStringLiteral("TBavaliados"),
                  QStringLiteral("Avaliado"), QStringLiteral("Novo Avaliado"),
                  QStringLiteral("Alterar Avaliado"),
                  {QStringLiteral("Avaliado"), QStringLiteral("NomeAval"), QStringLiteral("Apelido"),
                   QStringLiteral("Nascimento"), QStringLiteral("Sexo"),
                   QStringLiteral("Modalidade"), QStringLiteral("Posicao"),
                   QStringLiteral("Observacao")},
                  {QStringLiteral("Avaliado"), QStringLiteral("Nome"), QStringLiteral("Apelido"),
                   QStringLiteral("Nascimento"), QStringLiteral("Sexo"),
                   QStringLiteral("Modalidade"), QStringLiteral("Posição"),
                   QStringLiteral("Observação")},
                  {}, {}, {}},
                 dados, mensagens, nullptr, pai)
{
}

std::unique_ptr<TfEdicao> TfCadAvaliados::CriaEdicao()
{
    return std::make_unique<Tfnovoavaliado>(m_tabela, m_mensagens, this);
}

TfCadGrupos::TfCadGrupos(Tfdados &dados, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("TfCadGrupos"), QStringLiteral("Cadastro de Grupos"), QStringLiteral("TBgrupos"),
                  QStringLiteral("Grupo"), QStringLiteral("Novo Grupo"),
                  QStringLiteral("Alterar Grupo"),
                  {QStringLiteral("Grupo"), QStringLiteral("Nome"), QStringLiteral("Temporada"),
                   QStringLiteral("Observacao")},
                  {QStringLiteral("Grupo"), QStringLiteral("Nome"), QStringLiteral("Temporada"),
                   QStringLiteral("Observação")},
                  {}, {}, {}},
                 dados, mensagens, nullptr, pai)
{
    ui->btedt->setObjectName(QStringLiteral("btAlterar"));
    ui->btexc->setObjectName(QStringLiteral("btExcluir"));
    ui->btFechar->setObjectName(QStringLiteral("BitBtn1"));
    AtualizaBotoes();
}

std::unique_ptr<TfEdicao> TfCadGrupos::CriaEdicao()
{
    return std::make_unique<Tfnovogrupo>(m_tabela, m_mensagens, this);
}

bool TfCadGrupos::LinhaProtegida() const
{
    return m_tabela.IsEmpty() || m_tabela.Campo(QStringLiteral("Grupo")).toLongLong() <= 0;
}
