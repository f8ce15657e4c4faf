#include "EdicaoCadastro.h"

#include "AjudaJanela.h"
#include "Janelas.h"
#include "Configuracao.h"
#include "Mensagens.h"
#include "TabelaDados.h"
#include "Validacoes.h"

#include "ui_NovaContracao.h"
#include "ui_NovoAvaliado.h"
#include "ui_NovoGrupo.h"
#include "ui_NovoNome.h"

#include <QApplication>
#include <QDate>

namespace {

QString TextoDe(const TabelaDados &tabela, const QString &campo)
{
    return tabela.Campo(campo).toString();
}

} // namespace

// ---- TfEdicao ----

TfEdicao::TfEdicao(const QString &nomeClasse, TabelaDados &tabela, Mensagens &mensagens,
                   QWidget *pai)
    : QDialog(pai), m_tabela(tabela), m_mensagens(mensagens)
{
    // Set before the form is built: setupUi keeps a name already given.
    setObjectName(nomeClasse);
}

int TfEdicao::Mostra(const QString &titulo, const QString &textoBotao)
{
    setWindowTitle(titulo);
    m_confirma->setText(textoBotao);
    Carrega();
    setWindowFlag(Qt::Tool);
    CentraNaTela(this);
    return exec();
}

void TfEdicao::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    m_primeiroCampo->setFocus();
}

void TfEdicao::Liga(QPushButton *confirma, QPushButton *cancela, QWidget *primeiroCampo)
{
    m_confirma = confirma;
    m_primeiroCampo = primeiroCampo;
    connect(cancela, &QPushButton::clicked, this, &QDialog::reject);
}

void TfEdicao::Avisa(const QString &texto, QWidget *campo)
{
    AvisaNoCampo(m_mensagens, this, texto, campo);
}

bool TfEdicao::Define(const QString &campo, const QVariant &valor)
{
    if (m_tabela.SetCampo(campo, valor))
        return true;
    m_mensagens.Caixa(this, QStringLiteral("Atenção"), m_tabela.Erro(), Icone::Erro, Botoes::Ok);
    return false;
}

qint64 InsereLinha(TabelaDados &tabela, const QString &campoChave, TfEdicao &edicao,
                   const QString &titulo, Mensagens &mensagens,
                   const std::function<void()> &completa)
{
    const qint64 chave = tabela.ProximaChave();
    if (chave < 1 || !tabela.Append() || !tabela.SetCampo(campoChave, chave)) {
        const QString erro = tabela.Erro();
        tabela.Cancel();
        mensagens.Caixa(edicao.parentWidget(), QApplication::applicationDisplayName(), erro, Icone::Erro,
                        Botoes::Ok);
        return 0;
    }
    if (edicao.Mostra(titulo, QStringLiteral("&Inserir")) != QDialog::Accepted) {
        tabela.Cancel();
        return 0;
    }
    if (completa)
        completa();
    return GravaLinha(tabela, mensagens, edicao.parentWidget()) ? chave : 0;
}

bool GravaLinha(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
{
    if (tabela.Post())
        return true;
    const QString erro = tabela.Erro();
    tabela.Cancel();
    mensagens.Caixa(pai, QApplication::applicationDisplayName(), erro, Icone::Erro, Botoes::Ok);
    return false;
}

// ---- TfNovoNome ----

TfNovoNome::TfNovoNome(const QString &nomeClasse, const Descricao &descricao, TabelaDados &tabela,
                       Mensagens &mensagens, QWidget *pai)
    : TfEdicao(nomeClasse, tabela, mensagens, pai), ui(std::make_unique<Ui::NovoNome>()),
      m_descricao(descricao)
{
    ui->setupUi(this);
    ui->lbNome->setText(descricao.rotulo);
    ForcaMaiusculas(ui->cpNome);
    Liga(ui->btinserir, ui->btCancelar, ui->cpNome);
    connect(ui->btinserir, &QPushButton::clicked, this, &TfNovoNome::btinserirClick);
}

TfNovoNome::~TfNovoNome() = default;

void TfNovoNome::Carrega()
{
    ui->cpNome->setText(TextoDe(m_tabela, m_descricao.campo));
}

void TfNovoNome::btinserirClick()
{
    const QString nome = ui->cpNome->text();
    if (Vazio(nome))
        return Avisa(m_descricao.mensagemVazio, ui->cpNome);
    if (!Define(m_descricao.campo, nome))
        return;
    ConfiguracaoVyrax().WriteString(SecaoDados, m_descricao.configuracao, nome);
    accept();
}

Tfnovoeqp::Tfnovoeqp(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfNovoNome(QStringLiteral("Tfnovoeqp"),
                 {QStringLiteral("Equipamento"), QStringLiteral("Transdutor"),
                  QStringLiteral("Informe o nome do equipamento !"), QStringLiteral("Equipamento")},
                 tabela, mensagens, pai)
{
}

Tfnovotransdutor::Tfnovotransdutor(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfNovoNome(QStringLiteral("Tfnovotransdutor"),
                 {QStringLiteral("Transdutor"), QStringLiteral("Acessório"),
                  QStringLiteral("Informe o nome do transdutor !"), QStringLiteral("Transdutor")},
                 tabela, mensagens, pai)
{
}

Tfnovaartic::Tfnovaartic(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfNovoNome(QStringLiteral("Tfnovaartic"),
                 {QStringLiteral("Articulacao"), QStringLiteral("Articulação"),
                  QStringLiteral("Informe o nome da articulação !"), QStringLiteral("Articulacao")},
                 tabela, mensagens, pai)
{
}

// ---- Tfnovacontracao ----

Tfnovacontracao::Tfnovacontracao(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfEdicao(QStringLiteral("Tfnovacontracao"), tabela, mensagens, pai),
      ui(std::make_unique<Ui::NovaContracao>())
{
    ui->setupUi(this);
    ForcaMaiusculas(ui->cpAgonica);
    ForcaMaiusculas(ui->cpAntagonica);
    Liga(ui->btinserir, ui->btCancelar, ui->cpAgonica);
    connect(ui->btinserir, &QPushButton::clicked, this, &Tfnovacontracao::btinserirClick);
}

Tfnovacontracao::~Tfnovacontracao() = default;

void Tfnovacontracao::Carrega()
{
    ui->cpAgonica->setText(TextoDe(m_tabela, QStringLiteral("PrimeiraAgo")));
    ui->cpAntagonica->setText(TextoDe(m_tabela, QStringLiteral("SegundaAnt")));
}

void Tfnovacontracao::btinserirClick()
{
    if (Vazio(ui->cpAgonica->text()))
        return Avisa(QStringLiteral("Informe o nome da Contração !"), ui->cpAgonica);
    ui->cpAntagonica->setText(AntagonicaOuNenhuma(ui->cpAntagonica->text()));
    if (!Define(QStringLiteral("PrimeiraAgo"), ui->cpAgonica->text())
        || !Define(QStringLiteral("SegundaAnt"), ui->cpAntagonica->text()))
        return;
    accept();
}

// ---- Tfnovoavaliado ----

Tfnovoavaliado::Tfnovoavaliado(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfEdicao(QStringLiteral("Tfnovoavaliado"), tabela, mensagens, pai),
      ui(std::make_unique<Ui::NovoAvaliado>())
{
    ui->setupUi(this);
    for (QLineEdit *campo : {ui->cpNome, ui->cpApelido, ui->cpSexo, ui->cpModalidade,
                             ui->cpPosicao, ui->cpObservacao})
        ForcaMaiusculas(campo);
    Liga(ui->btinserir, ui->btCancelar, ui->cpNome);
    connect(ui->btinserir, &QPushButton::clicked, this, &Tfnovoavaliado::btinserirClick);
}

Tfnovoavaliado::~Tfnovoavaliado() = default;

void Tfnovoavaliado::Carrega()
{
    ui->cpAvaliado->setText(TextoDe(m_tabela, QStringLiteral("Avaliado")));
    ui->cpNome->setText(TextoDe(m_tabela, QStringLiteral("NomeAval")));
    ui->cpApelido->setText(TextoDe(m_tabela, QStringLiteral("Apelido")));
    const QDate nascimento = m_tabela.Campo(QStringLiteral("Nascimento")).toDate();
    if (nascimento.isValid())
        ui->cpNascimento->setText(nascimento.toString(QStringLiteral("dd/MM/yyyy")));
    else
        ui->cpNascimento->clear();
    ui->cpSexo->setText(TextoDe(m_tabela, QStringLiteral("Sexo")));
    ui->cpModalidade->setText(TextoDe(m_tabela, QStringLiteral("Modalidade")));
    ui->cpPosicao->setText(TextoDe(m_tabela, QStringLiteral("Posicao")));
    ui->cpObservacao->setText(TextoDe(m_tabela, QStringLiteral("Observacao")));
}

void Tfnovoavaliado::btinserirClick()
{
    const ResultadoAvaliado resultado =
        ValidaAvaliado(ui->cpNome->text(), ui->cpNascimento->displayText(), ui->cpSexo->text());
    if (resultado.falha) {
        QWidget *campo = resultado.falha->campo == CampoInvalido::Nome         ? ui->cpNome
                         : resultado.falha->campo == CampoInvalido::Nascimento ? ui->cpNascimento
                                                                               : ui->cpSexo;
        return Avisa(resultado.falha->mensagem, campo);
    }
    const bool definido = Define(QStringLiteral("NomeAval"), ui->cpNome->text())
                          && Define(QStringLiteral("Apelido"), ui->cpApelido->text())
                          && Define(QStringLiteral("Nascimento"), resultado.nascimento)
                          && Define(QStringLiteral("Sexo"), ui->cpSexo->text())
                          && Define(QStringLiteral("Modalidade"), ui->cpModalidade->text())
                          && Define(QStringLiteral("Posicao"), ui->cpPosicao->text())
                          && Define(QStringLiteral("Observacao"), ui->cpObservacao->text());
    if (definido)
        accept();
}

// ---- Tfnovogrupo ----

Tfnovogrupo::Tfnovogrupo(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai)
    : TfEdicao(QStringLiteral("Tfnovogrupo"), tabela, mensagens, pai),
      ui(std::make_unique<Ui::NovoGrupo>())
{
    ui->setupUi(this);
    for (QLineEdit *campo : {ui->cpNome, ui->cpTemporada, ui->cpObservacao})
        ForcaMaiusculas(campo);
    EnterAvanca(this);
    Liga(ui->btInserir, ui->btCancelar, ui->cpNome);
    connect(ui->btInserir, &QPushButton::clicked, this, &Tfnovogrupo::btInserirClick);
}

Tfnovogrupo::~Tfnovogrupo() = default;

void Tfnovogrupo::Carrega()
{
    ui->cpGrupo->setText(TextoDe(m_tabela, QStringLiteral("Grupo")));
    ui->cpNome->setText(TextoDe(m_tabela, QStringLiteral("Nome")));
    ui->cpTemporada->setText(TextoDe(m_tabela, QStringLiteral("Temporada")));
    ui->cpObservacao->setText(TextoDe(m_tabela, QStringLiteral("Observacao")));
}

void Tfnovogrupo::btInserirClick()
{
    if (Vazio(ui->cpNome->text()))
        return Avisa(QStringLiteral("O nome deve ser informado..."), ui->cpNome);
    const bool definido = Define(QStringLiteral("Nome"), ui->cpNome->text())
                          && Define(QStringLiteral("Temporada"), ui->cpTemporada->text())
                          && Define(QStringLiteral("Observacao"), ui->cpObservacao->text());
    if (definido)
        accept();
}
