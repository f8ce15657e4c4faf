#include "Tfnovaavaliacao.h"

#include "AjudaJanela.h"
#include "Janelas.h"
#include "Configuracao.h"
#include "EdicaoCadastro.h"
#include "IdadeAtual.h"
#include "Mensagens.h"
#include "Tfdados.h"
#include "Validacoes.h"

#include "ui_Tfnovaavaliacao.h"

#include <QRegularExpressionValidator>

#include <algorithm>

namespace {

const QString kAvaliados = QStringLiteral("TBavaliados");
const QString kGrupos = QStringLiteral("TBgrupos");
const QString kIndividual = QStringLiteral("INDIVIDUAL");

bool Iguais(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A drop-down list with nothing chosen yet.
void Preenche(QComboBox *lista, const QStringList &itens)
{
    lista->clear();
    lista->addItems(itens);
    lista->setCurrentIndex(-1);
}

// The sorted lists order names as the user reads them, ignoring case.
void PreencheOrdenada(QComboBox *lista, QStringList itens)
{
    std::stable_sort(itens.begin(), itens.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    Preenche(lista, itens);
}

void Seleciona(QComboBox *lista, const QString &texto)
{
    lista->setCurrentIndex(lista->findText(texto));
}

QString Texto(const Registro &linha, const QString &campo)
{
    return linha.Valor(campo).toString();
}

} // namespace

Tfnovaavaliacao::Tfnovaavaliacao(Tfdados &dados, Mensagens &mensagens, QWidget *pai)
    : QDialog(pai), ui(std::make_unique<Ui::Tfnovaavaliacao>()), m_dados(dados),
      m_mensagens(mensagens)
{
    ui->setupUi(this);
    setWindowFlag(Qt::Tool);
    CentraNaTela(this);
    ForcaMaiusculas(ui->cpAvaliador);
    ForcaMaiusculas(ui->cpExercicio);
    ForcaMaiusculas(ui->cpObs);
    ui->cpPeso->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,]*")), ui->cpPeso));
    EnterAvanca(this);
    DefineJanelas({}, {});

    connect(ui->cpNome, &QComboBox::activated, this, &Tfnovaavaliacao::cpNomeChange);
    connect(ui->cpApelido, &QComboBox::activated, this, &Tfnovaavaliacao::cpApelidoChange);
    connect(ui->cpAvaliado, &QComboBox::activated, this, &Tfnovaavaliacao::cpAvaliadoChange);
    connect(ui->cpGrupo, &QComboBox::activated, this, &Tfnovaavaliacao::cpGrupoChange);
    connect(ui->cpTemporada, &QComboBox::activated, this, &Tfnovaavaliacao::cpTemporadaChange);
    connect(ui->btNovoAvaliado, &QToolButton::clicked, this, &Tfnovaavaliacao::btNovoAvaliadoClick);
    connect(ui->btNovoGrupo, &QToolButton::clicked, this, &Tfnovaavaliacao::btNovoGrupoClick);
    connect(ui->b1, &QPushButton::clicked, this, &Tfnovaavaliacao::b1Click);
    connect(ui->Cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btParametros, &QPushButton::clicked, this, [this] { m_abreParametros(); });
    connect(ui->btGraficos, &QPushButton::clicked, this, [this] { m_abreGraficos(); });

    // FormCreate
    const RegistroIni configuracao = ConfiguracaoVyrax();
    ui->CheckBox1->setChecked(configuracao.ReadBool(SecaoDados, QStringLiteral("UltimaConfig"), false));
    m_nomeLembrado = configuracao.ReadString(SecaoDados, QStringLiteral("Avaliado"), QString());
    cpAtualizar(1);
    cpAtualizar(2);
    for (int i = 0; i < ui->cpGrupo->count(); ++i) {
        if (Iguais(ui->cpGrupo->itemText(i), kIndividual)) {
            ui->cpGrupo->setCurrentIndex(i);
            break;
        }
    }
    const bool manter = ui->CheckBox1->isChecked();
    ui->cpPeso->setText(manter ? configuracao.ReadString(SecaoDados, QStringLiteral("Peso"), {}) : QString());
    ui->cpAvaliador->setText(
        manter ? configuracao.ReadString(SecaoDados, QStringLiteral("Avaliador"), {}) : QString());
}

Tfnovaavaliacao::~Tfnovaavaliacao() = default;

void Tfnovaavaliacao::DefineAvaliacao(qint64 numero, const QDate &data)
{
    ui->cpAvaliacao->setText(QString::number(numero));
    ui->cpData->setText(data.toString(QStringLiteral("dd/MM/yyyy")));
}

void Tfnovaavaliacao::DefineJanelas(std::function<void()> parametros, std::function<void()> graficos)
{
    m_abreParametros = std::move(parametros);
    m_abreGraficos = std::move(graficos);
    ui->btParametros->setEnabled(bool(m_abreParametros));
    ui->btGraficos->setEnabled(bool(m_abreGraficos));
}

void Tfnovaavaliacao::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    ui->cpAvaliador->setFocus();
}

void Tfnovaavaliacao::cpAtualizar(int tipo)
{
    switch (tipo) {
    case 1: {
        QStringList numeros, nomes, apelidos;
        for (const Registro &linha : m_dados.Linhas(kAvaliados)) {
            numeros << Texto(linha, QStringLiteral("Avaliado"));
            nomes << Texto(linha, QStringLiteral("NomeAval"));
            const QString apelido = Texto(linha, QStringLiteral("Apelido"));
            if (!apelido.isEmpty())
                apelidos << apelido;
        }
        Preenche(ui->cpAvaliado, numeros);
        PreencheOrdenada(ui->cpNome, nomes);
        PreencheOrdenada(ui->cpApelido, apelidos);
        m_avaliado.reset();
        break;
    }
    case 2: {
        QStringList grupos{QStringLiteral("Individual")};
        for (const QVariant &nome : m_dados.Valores(kGrupos, QStringLiteral("Nome")))
            grupos << nome.toString();
        PreencheOrdenada(ui->cpGrupo, grupos);
        break;
    }
    case 3: {
        const QString grupo = ui->cpGrupo->currentText();
        QStringList temporadas;
        QString temporadaAtual;
        for (const Registro &linha : m_dados.Linhas(kGrupos)) {
            if (!Iguais(Texto(linha, QStringLiteral("Nome")), grupo))
                continue;
            temporadas << Texto(linha, QStringLiteral("Temporada"));
            if (linha.Valor(QStringLiteral("Grupo")).toLongLong() == m_grupoAtual)
                temporadaAtual = temporadas.constLast();
        }
        PreencheOrdenada(ui->cpTemporada, temporadas);
        Seleciona(ui->cpTemporada, temporadaAtual);
        break;
    }
    default:
        return;
    }

    if (!ui->CheckBox1->isChecked() || m_nomeLembrado.isEmpty())
        return;
    const int indice = ui->cpNome->findText(m_nomeLembrado, Qt::MatchFixedString);
    if (indice < 0)
        return;
    ui->cpNome->setCurrentIndex(indice);
    cpNomeChange();
}

std::optional<Registro> Tfnovaavaliacao::ProcuraAvaliado(const QString &campo,
                                                         const QVariant &valor) const
{
    const QString procurado = valor.toString();
    for (const Registro &linha : m_dados.Linhas(kAvaliados)) {
        if (!procurado.isEmpty() && Iguais(Texto(linha, campo), procurado))
            return linha;
    }
    return std::nullopt;
}

void Tfnovaavaliacao::MostraAvaliado(const Registro &avaliado)
{
    m_avaliado = avaliado;
    m_nomeLembrado = Texto(avaliado, QStringLiteral("NomeAval"));
    Seleciona(ui->cpAvaliado, Texto(avaliado, QStringLiteral("Avaliado")));
    Seleciona(ui->cpNome, m_nomeLembrado);
    Seleciona(ui->cpApelido, Texto(avaliado, QStringLiteral("Apelido")));
    const int idade = IdadeAtual(avaliado.Valor(QStringLiteral("Nascimento")).toDate());
    ui->cpIdade->setText(idade < 0 ? QString() : QString::number(idade));
    ui->cpSexo->setText(Texto(avaliado, QStringLiteral("Sexo")));
}

void Tfnovaavaliacao::cpNomeChange()
{
    if (const auto avaliado = ProcuraAvaliado(QStringLiteral("NomeAval"), ui->cpNome->currentText()))
        MostraAvaliado(*avaliado);
}

void Tfnovaavaliacao::cpApelidoChange()
{
    if (const auto avaliado = ProcuraAvaliado(QStringLiteral("Apelido"), ui->cpApelido->currentText()))
        MostraAvaliado(*avaliado);
}

void Tfnovaavaliacao::cpAvaliadoChange()
{
    if (const auto avaliado = ProcuraAvaliado(QStringLiteral("Avaliado"), ui->cpAvaliado->currentText()))
        MostraAvaliado(*avaliado);
}

void Tfnovaavaliacao::cpGrupoChange()
{
    const QString grupo = ui->cpGrupo->currentText();
    if (grupo == kIndividual) {
        m_grupoAtual = 0;
        ui->cpTemporada->clear();
        return;
    }
    // "Individual" is not the exact text, so it finds group 0 by name.
    for (const Registro &linha : m_dados.Linhas(kGrupos)) {
        if (Iguais(Texto(linha, QStringLiteral("Nome")), grupo)) {
            m_grupoAtual = linha.Valor(QStringLiteral("Grupo")).toLongLong();
            cpAtualizar(3);
            return;
        }
    }
}

void Tfnovaavaliacao::cpTemporadaChange()
{
    const QString grupo = ui->cpGrupo->currentText();
    const QString temporada = ui->cpTemporada->currentText();
    for (const Registro &linha : m_dados.Linhas(kGrupos)) {
        if (Iguais(Texto(linha, QStringLiteral("Nome")), grupo)
            && Iguais(Texto(linha, QStringLiteral("Temporada")), temporada)) {
            m_grupoAtual = linha.Valor(QStringLiteral("Grupo")).toLongLong();
            return;
        }
    }
}

void Tfnovaavaliacao::btNovoAvaliadoClick()
{
    TabelaDados &tabela = m_dados.TBavaliados();
    Tfnovoavaliado janela(tabela, m_mensagens, this);
    const qint64 chave = InsereLinha(tabela, QStringLiteral("Avaliado"), janela,
                                     QStringLiteral("Novo Avaliado"), m_mensagens);
    if (chave == 0)
        return;
    tabela.Atualiza();
    cpAtualizar(1);
    Seleciona(ui->cpAvaliado, QString::number(chave));
    cpAvaliadoChange();
}

void Tfnovaavaliacao::btNovoGrupoClick()
{
    TabelaDados &tabela = m_dados.TBgrupos();
    Tfnovogrupo janela(tabela, m_mensagens, this);
    const qint64 chave = InsereLinha(tabela, QStringLiteral("Grupo"), janela,
                                     QStringLiteral("Novo Grupo"), m_mensagens);
    if (chave == 0)
        return;
    tabela.Atualiza();
    cpAtualizar(2);
    const QVariantList nomes = m_dados.Valores(kGrupos, QStringLiteral("Nome"), {{QStringLiteral("Grupo"), chave}});
    if (!nomes.isEmpty())
        Seleciona(ui->cpGrupo, nomes.constFirst().toString());
}

void Tfnovaavaliacao::b1Click()
{
    // Kept for the next evaluation even when a check below fails.
    RegistroIni configuracao = ConfiguracaoVyrax();
    configuracao.WriteString(SecaoDados, QStringLiteral("Avaliado"), ui->cpNome->currentText());
    configuracao.WriteBool(SecaoDados, QStringLiteral("UltimaConfig"), ui->CheckBox1->isChecked());
    configuracao.WriteString(SecaoDados, QStringLiteral("Peso"), ui->cpPeso->text());
    configuracao.WriteString(SecaoDados, QStringLiteral("Avaliador"), ui->cpAvaliador->text());

    const ResultadoNovaAvaliacao resultado =
        ValidaNovaAvaliacao(ui->cpAvaliado->currentText(), ui->cpGrupo->currentText(),
                            ui->cpSexo->text(), ui->cpPeso->text());
    if (resultado.falha) {
        QWidget *campo = nullptr;
        switch (resultado.falha->campo) {
        case CampoInvalido::Avaliado: campo = ui->cpAvaliado; break;
        case CampoInvalido::Grupo: campo = ui->cpGrupo; break;
        case CampoInvalido::Sexo: campo = ui->cpSexo; break;
        default: campo = ui->cpPeso; break;
        }
        return AvisaNoCampo(m_mensagens, this, resultado.falha->mensagem, campo);
    }
    ui->cpPeso->setText(resultado.peso);

    const Registro avaliado = m_avaliado.value_or(Registro());
    m_resultado = {ui->cpPeso->text(),
                   ui->cpApelido->currentText(),
                   ui->cpNome->currentText(),
                   ui->cpAvaliador->text(),
                   ui->cpGrupo->currentText(),
                   ui->cpTemporada->currentText(),
                   ui->cpIdade->text(),
                   ui->cpSexo->text(),
                   ui->cpExercicio->text(),
                   ui->cpObs->toPlainText(),
                   Texto(avaliado, QStringLiteral("Posicao")),
                   Texto(avaliado, QStringLiteral("Modalidade"))};
    accept();
}

void Tfnovaavaliacao::done(int resultado)
{
    ConfiguracaoVyrax().WriteBool(SecaoDados, QStringLiteral("UltimaConfig"), ui->CheckBox1->isChecked());
    QDialog::done(resultado);
}
