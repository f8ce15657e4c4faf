#include "Cadastro.h"

#include "AjudaJanela.h"
#include "Configuracao.h"
#include "EdicaoCadastro.h"
#include "Mensagens.h"
#include "ModeloTabela.h"
#include "TabelaDados.h"

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

} // namespace

TfCadastro::TfCadastro(const Descricao &descricao, TabelaDados &tabela, Mensagens &mensagens,
                       EstadoLocalizar *estado, QWidget *pai)
    : QDialog(pai), ui(std::make_unique<Ui::Cadastro>()), m_tabela(tabela), m_mensagens(mensagens),
      m_descricao(descricao), m_estado(estado ? estado : &m_estadoProprio)
{
    ui->setupUi(this);
    setObjectName(descricao.nomeClasse);
    setWindowTitle(descricao.titulo);
    CentraNaTela(this);

    auto *modelo = new ModeloTabela(tabela, descricao.colunas, this);
    for (int coluna = 0; coluna < descricao.titulos.size(); ++coluna)
        modelo->setHeaderData(coluna, Qt::Horizontal, descricao.titulos.at(coluna));
    ui->DBGrid1->setModel(modelo);
    ui->DBGrid1->verticalHeader()->hide();
    ui->DBGrid1->horizontalHeader()->setStretchLastSection(true);
    connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &atual) {
                if (atual.isValid() && atual.row() != m_tabela.RecNo())
                    m_tabela.MoveTo(atual.row());
            });
    connect(&tabela, &TabelaDados::Moveu, this, &TfCadastro::MostraLinhaAtual);

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

Tfcadeqp::Tfcadeqp(TabelaDados &tabela, Mensagens &mensagens, EstadoLocalizar &estadoDaExecucao,
                   QWidget *pai)
    : TfCadastro({QStringLiteral("Tfcadeqp"), QStringLiteral("Cadastro de Transdutor"),
                  QStringLiteral("Cod"), QStringLiteral("Novo Transdutor"),
                  QStringLiteral("Alterar Transdutor"), {QStringLiteral("Equipamento")},
                  {QStringLiteral("Transdutor")}, QStringLiteral("Equipamento"),
                  QStringLiteral("Equipamento"),
                  QStringLiteral("Nenhum Equipamento para ser excluido. ")},
                 tabela, mensagens, &estadoDaExecucao, pai)
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

Tfcadtransdutor::Tfcadtransdutor(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("Tfcadtransdutor"), QStringLiteral("Cadastro de Acessórios"),
                  QStringLiteral("Cod"), QStringLiteral("Novo Acessório"),
                  QStringLiteral("Alterar Acessório"), {QStringLiteral("Transdutor")},
                  {QStringLiteral("Acessório")}, QStringLiteral("Transdutor"),
                  QStringLiteral("Transdutor"), {}},
                 tabela, mensagens, nullptr, pai)
{
}

std::unique_ptr<TfEdicao> Tfcadtransdutor::CriaEdicao()
{
    return std::make_unique<Tfnovotransdutor>(m_tabela, m_mensagens, this);
}

Tfcadartic::Tfcadartic(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("Tfcadartic"), QStringLiteral("Cadastro de Articulação"),
                  QStringLiteral("Cod"), QStringLiteral("Nova Articulação"),
                  QStringLiteral("Alterar Articulação"), {QStringLiteral("Articulacao")},
                  {QStringLiteral("Articulação")}, QStringLiteral("Articulacao"),
                  QStringLiteral("Articulacao"), {}},
                 tabela, mensagens, nullptr, pai)
{
}

std::unique_ptr<TfEdicao> Tfcadartic::CriaEdicao()
{
    return std::make_unique<Tfnovaartic>(m_tabela, m_mensagens, this);
}

Tfcadcontracao::Tfcadcontracao(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("Tfcadcontracao"), QStringLiteral("Cadastro de Contrações"),
                  QStringLiteral("Cod"), QStringLiteral("Novas Contrações"),
                  QStringLiteral("Alterar Contrações"),
                  {QStringLiteral("PrimeiraAgo"), QStringLiteral("SegundaAnt")},
                  {QStringLiteral("Agônica"), QStringLiteral("Antagônica")}, {}, {}, {}},
                 tabela, mensagens, nullptr, pai)
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

TfCadAvaliados::TfCadAvaliados(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("TfCadAvaliados"), QStringLiteral("Cadastro de Avaliados"),
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
                 tabela, mensagens, nullptr, pai)
{
}

std::unique_ptr<TfEdicao> TfCadAvaliados::CriaEdicao()
{
    return std::make_unique<Tfnovoavaliado>(m_tabela, m_mensagens, this);
}

TfCadGrupos::TfCadGrupos(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfCadastro({QStringLiteral("TfCadGrupos"), QStringLiteral("Cadastro de Grupos"),
                  QStringLiteral("Grupo"), QStringLiteral("Novo Grupo"),
                  QStringLiteral("Alterar Grupo"),
                  {QStringLiteral("Grupo"), QStringLiteral("Nome"), QStringLiteral("Temporada"),
                   QStringLiteral("Observacao")},
                  {QStringLiteral("Grupo"), QStringLiteral("Nome"), QStringLiteral("Temporada"),
                   QStringLiteral("Observação")},
                  {}, {}, {}},
                 tabela, mensagens, nullptr, pai)
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
