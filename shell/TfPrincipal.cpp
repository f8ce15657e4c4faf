#include "TfPrincipal.h"
#include "ui_TfPrincipal.h"

#include "Arte.h"
#include "Janelas.h"
#include "Mensagens.h"
#include "Numeros.h"
#include "RegistroIni.h"
#include "Tfdados.h"
#include "TiposFuncoes.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>
#include <QToolButton>

namespace {

const QString TituloPrograma = QStringLiteral("Vyrax-PRO");

QFont FonteFixa(int pontos, bool negrito)
{
    QFont fonte;
    fonte.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                       QStringLiteral("DejaVu Sans Mono")});
    fonte.setStyleHint(QFont::Monospace);
    fonte.setPointSize(pontos);
    fonte.setBold(negrito);
    return fonte;
}

} // namespace

TfPrincipal::TfPrincipal(Mensagens &mensagens, QWidget *pai)
    : QMainWindow(pai),
      ui(std::make_unique<Ui::TfPrincipal>()),
      m_mensagens(mensagens),
      tmSensor(new QTimer(this)),
      m_pastaPrograma(QCoreApplication::applicationDirPath())
{
    ui->setupUi(this);
    setWindowIcon(arte::Figura(QStringLiteral("icone")));
    tmSensor->setObjectName(QStringLiteral("tmSensor"));
    tmSensor->setInterval(3000);
    connect(tmSensor, &QTimer::timeout, this, &TfPrincipal::tmSensorTimer);

    for (QWidget *fundo : {static_cast<QWidget *>(ui->pnDisplay), static_cast<QWidget *>(ui->ToolBar),
                           static_cast<QWidget *>(ui->sb)})
        PintaCorJanela(fundo);
    ui->sb->setFont(FonteFixa(10, false));
    ui->ImLogo->setPixmap(arte::Figura(QStringLiteral("logo")));

    const std::pair<QLabel *, const char *> leds[] = {
        {ui->imSensorAmarelo, "led_amarelo"}, {ui->imSensorVermelho, "led_vermelho"},
        {ui->imSensorCinza, "led_cinza"},     {ui->imSensorVerde, "led_verde"},
        {ui->imSensorPreto, "led_preto"}};
    for (const auto &[imagem, arquivo] : leds)
        imagem->setPixmap(arte::Figura(QString::fromLatin1(arquivo)));

    MontaBarraFerramentas();
    LigaAcoes();
    ui->mLog->viewport()->installEventFilter(this);
}

TfPrincipal::~TfPrincipal()
{
    tmSensor->stop();
    if (m_ligacao.FechaPorta)
        m_ligacao.FechaPorta();
}

void TfPrincipal::MontaBarraFerramentas()
{
    const std::pair<QAction *, const char *> icones[] = {
        {ui->CadAvaliados, "avaliados"},       {ui->CadGrupos, "grupos"},
        {ui->NovaAvaliacao, "nova"},           {ui->VisualizarAvaliacao, "avaliacoes"},
        {ui->VisualizarAvaliacaoMedias, "medias"}, {ui->Comunicacao, "comunicacao"},
        {ui->Parametros, "parametros"},        {ui->ConfigGrafico, "grafico"},
        {ui->Backup, "backup"},                {ui->Fechar, "fechar"}};
    for (const auto &[acao, arquivo] : icones) {
        acao->setIcon(arte::IconeAcao(QString::fromLatin1(arquivo)));
        if (auto *botao = qobject_cast<QToolButton *>(ui->ToolBar->widgetForAction(acao))) {
            botao->setFixedSize(42, 41);
            botao->setCursor(Qt::PointingHandCursor);
            botao->setToolTipDuration(10000);
            botao->setAutoRaise(true);
        }
    }

    QFont titulo = ui->lbTituloSensor->font();
    titulo.setPointSize(8);
    titulo.setBold(true);
    titulo.setUnderline(true);
    ui->lbTituloSensor->setFont(titulo);
    ui->lbTituloSensor->setStyleSheet(QStringLiteral("color: #173F69;"));
    QFont porta(QStringLiteral("Arial"), 8);
    ui->lbCOM->setFont(porta);
    ui->lbCOM->setStyleSheet(QStringLiteral("color: #4D5966;"));
    ui->Relogio->setFont(FonteFixa(14, true));
    ui->Relogio->setStyleSheet(QStringLiteral("color: navy;"));

    ui->ToolBar->addWidget(ui->lbBarraEspaco);
    ui->ToolBar->addWidget(ui->pnSensor);
    auto *folga = new QWidget(ui->ToolBar);
    folga->setFixedWidth(8);
    ui->ToolBar->addWidget(folga);
    ui->ToolBar->addWidget(ui->Relogio);
    ui->Relogio->setContentsMargins(4, 0, 8, 0);
}

void TfPrincipal::LigaAcoes()
{
    // Reached only by their shortcuts: they must live on the window to fire.
    addAction(ui->Help_Protocolo);
    addAction(ui->acLogarComunicacao);

    for (QAction *acao : {ui->CadAvaliados, ui->CadGrupos, ui->VisualizarAvaliacao,
                          ui->VisualizarAvaliacaoMedias, ui->Parametros, ui->ConfigGrafico, ui->Backup})
        connect(acao, &QAction::triggered, this, [this, acao] { AbreJanela(acao); });
    connect(ui->CadLaboratorio, &QAction::triggered, this, [this] {
        PerguntaNome(QStringLiteral("Nome do Laboratório:"), QStringLiteral("Laboratorio"));
    });
    connect(ui->CadAvaliador, &QAction::triggered, this, [this] {
        PerguntaNome(QStringLiteral("Nome do Avaliador:"), QStringLiteral("Avaliador"));
    });
    connect(ui->NovaAvaliacao, &QAction::triggered, this, &TfPrincipal::NovaAvaliacaoExecute);
    connect(ui->Comunicacao, &QAction::triggered, this, &TfPrincipal::ComunicacaoExecute);
    connect(ui->Fechar, &QAction::triggered, this, &TfPrincipal::FecharExecute);
    connect(ui->InformacoesSistema, &QAction::triggered, this, &TfPrincipal::InformacoesSistemaExecute);
    connect(ui->Help_Protocolo, &QAction::triggered, this, &TfPrincipal::Help_ProtocoloExecute);
    connect(ui->acLogarComunicacao, &QAction::triggered, this, &TfPrincipal::acLogarComunicacaoExecute);
}

bool TfPrincipal::FormCreate(const std::function<bool()> &abreModuloDados)
{
    // Dates as dd/MM/yyyy and the decimal comma everywhere.
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));

    RegistroIni registro(ChaveVyrax);
    m_config = LeConfiguracaoInicio(registro);
    m_contadores = ContadoresBanco(m_config.BackupCont);

    if (abreModuloDados && !abreModuloDados()) {
        QString texto = QStringLiteral("Ocorreu um erro ao acessar o Banco de Dados!\r"
                                       "Execute este programa com privilégios de Administrador.\r"
                                       "O programa será encerrado.");
        // Rights are seldom the cause here: say what the data module found.
        if (m_dados && !m_dados->Erro().isEmpty())
            texto += QStringLiteral("\r\r") + m_dados->Erro();
        m_mensagens.Caixa(this, QStringLiteral("Erro"), texto, Icone::Erro, Botoes::Ok);
        return false;
    }
    HabilitaAcoes(true);
    AtivaSupervisao(true);
    return true;
}

void TfPrincipal::DefineModuloDados(std::unique_ptr<Tfdados> dados)
{
    m_dados = std::move(dados);
}

void TfPrincipal::DefineJanela(QAction *acao, FabricaJanela fabrica)
{
    m_janelas[acao] = std::move(fabrica);
}

void TfPrincipal::HabilitaAcoes(bool habilita)
{
    for (QAction *acao : {ui->CadAvaliados, ui->CadGrupos, ui->NovaAvaliacao, ui->VisualizarAvaliacao,
                          ui->VisualizarAvaliacaoMedias, ui->Comunicacao, ui->Parametros,
                          ui->ConfigGrafico, ui->Backup, ui->Fechar})
        acao->setEnabled(habilita);
}

void TfPrincipal::AtivaSupervisao(bool ativa)
{
    tmSensor->setInterval(100);
    if (!ativa) {
        tmSensor->stop();
        AjustaLedSensor(1, 4);
        return;
    }
    tmSensor->start();
}

void TfPrincipal::ExecutaModal(const std::function<void()> &corpo)
{
    HabilitaAcoes(false);
    AtivaSupervisao(false);
    corpo();
    AtivaSupervisao(true);
    HabilitaAcoes(true);
}

void TfPrincipal::AbreJanela(QAction *acao)
{
    ExecutaModal([this, acao] {
        const auto fabrica = m_janelas.find(acao);
        if (fabrica == m_janelas.end() || !fabrica->second)
            return;
        if (const std::unique_ptr<QDialog> janela = fabrica->second(this))
            janela->exec();
    });
}

void TfPrincipal::PerguntaNome(const QString &rotulo, const QString &valor)
{
    ExecutaModal([&] {
        const QString atual = RegistroIni(ChaveVyrax).ReadString(SecaoDados, valor, QString());
        const QString nome = m_mensagens.Entrada(this, QStringLiteral("Confirmação de Parâmetros"), rotulo, atual);
        GravaTexto(valor, nome);
        if (valor == QLatin1String("Avaliador"))
            m_config.Avaliador = nome;
    });
}

void TfPrincipal::GravaTexto(const QString &nome, const QString &valor)
{
    RegistroIni registro(ChaveVyrax);
    if (registro.WriteString(SecaoDados, nome, valor))
        return;
    m_mensagens.Caixa(this, QStringLiteral("Atenção"),
                      QStringLiteral("Não foi possível gravar a configuração \"%1\".\r%2")
                          .arg(nome, registro.UltimoErro()),
                      Icone::Erro, Botoes::Ok);
}

void TfPrincipal::NovaAvaliacaoExecute()
{
    AtivaSupervisao(false);
    HabilitaAcoes(false);
    ui->ImLogo->show();
    GravaTexto(QStringLiteral("Demo"), QStringLiteral("Demo0"));
    if (m_iniciaAvaliacao)
        return m_iniciaAvaliacao();
    AtivaSupervisao(true);
    HabilitaAcoes(true);
}

void TfPrincipal::ComunicacaoExecute()
{
    ExecutaModal([this] {
        if (m_ligacao.ConfiguraComunicacao)
            m_ligacao.ConfiguraComunicacao();
        // Written also after Cancel, then unchanged.
        GravaTexto(QStringLiteral("Porta"), m_config.Porta);
        if (m_ligacao.Reidentifica)
            m_ligacao.Reidentifica();
    });
}

void TfPrincipal::FecharExecute()
{
    GravaTexto(QStringLiteral("BackupCont"), QString::number(m_contadores.ContadorBackup()));

    if (m_contadores.BancoCheio())
        m_mensagens.Caixa(this, TituloPrograma,
                          QStringLiteral("O Banco de Dados do Vyrax-PRO está ficando cheio, o que poderá "
                                         "ocasionar perda de dados. Entre em contato com o MORVEK para "
                                         "maiores esclarecimentos."),
                          Icone::Exclamacao, Botoes::Ok);

    if (!m_contadores.LembraBackup()) {
        close();
        return;
    }
    const QString pergunta =
        QStringLiteral("Foram salvas %1 novas Avaliações desde o último Backup!\r"
                       "Aconselhamos que sejam feitos backups regulares da Base de Dados.\r"
                       "Deseja realizar um novo Backup agora?")
            .arg(m_contadores.ContadorBackup());
    if (m_mensagens.Caixa(this, QStringLiteral("Vyrax-PRO - Aviso de Backup"), pergunta,
                          Icone::Exclamacao, Botoes::YesNo) == Botao::Yes) {
        ui->Backup->trigger();
        return;
    }
    close();
}

void TfPrincipal::InformacoesSistemaExecute()
{
    const double memoriaMb = static_cast<double>(MemoriaFisicaTotal()) / 1024 / 1024;
    const QString texto = QStringLiteral("\nInformações do PC. \n\n\n") +
                          QStringLiteral("Processador: ") + NomeProcessador(0) + QStringLiteral("\n\n") +
                          QStringLiteral("Velocidade: ") + numeros::Curto(VelocidadeProcessador()) +
                          QStringLiteral("\n\n") + QStringLiteral("Memória: ") +
                          numeros::Curto(memoriaMb) + QStringLiteral("\n\n");
    m_mensagens.Caixa(this, TituloPrograma, texto, Icone::Nenhum, Botoes::Ok);
}

void TfPrincipal::Help_ProtocoloExecute()
{
    AtivaSupervisao(false);
    const QString programa = QDir(m_pastaPrograma).filePath(QStringLiteral("protocolo"));
    if (!QFileInfo(programa).isFile()) {
        m_mensagens.Caixa(this, TituloPrograma, QStringLiteral("Protocolo não encontrado."), Icone::Nenhum,
                          Botoes::Ok);
    } else {
        // The tool takes the serial port for itself while it runs.
        if (m_ligacao.FechaPorta)
            m_ligacao.FechaPorta();
        if (!ExecutaEAguarda(programa, QString(), 1))
            m_mensagens.Caixa(this, QStringLiteral("Atenção"),
                              QStringLiteral("Não foi possível iniciar o Protocolo."), Icone::Erro,
                              Botoes::Ok);
        if (m_ligacao.ReabrePorta)
            m_ligacao.ReabrePorta();
    }
    AtivaSupervisao(true);
}

void TfPrincipal::tmSensorTimer()
{
    if (m_ligacao.Supervisiona)
        return m_ligacao.Supervisiona();
    // Without the device link there is no interface to find.
    MostraPorta(QStringLiteral(" Não Ident."),
                QStringLiteral("Interface do Vyrax-PRO não identificada! Verifique a Comunicação..."), 22);
    AjustaLedSensor(1, 3);
}

void TfPrincipal::AjustaLedSensor(int qual, int estado)
{
    if (qual != 1 || estado < 1 || estado > 4)
        return;
    const auto imagens = ImagensLed();
    for (int i = 0; i < 4; ++i)
        imagens[i]->setVisible(i + 1 == estado);
}

int TfPrincipal::EstadoLedSensor(int qual) const
{
    if (qual != 1)
        return 0;
    int estado = 0;
    const auto imagens = ImagensLed();
    for (int i = 0; i < 4; ++i)
        if (!imagens[i]->isHidden())
            estado = i + 1;
    return estado;
}

std::array<QLabel *, 4> TfPrincipal::ImagensLed() const
{
    return {ui->imSensorVerde, ui->imSensorAmarelo, ui->imSensorVermelho, ui->imSensorCinza};
}

void TfPrincipal::MostraPorta(const QString &texto, const QString &dica, int larguraLed)
{
    ui->lbCOM->setText(texto);
    ui->lbCOM->setToolTip(dica);
    ui->pnSensorLed->setFixedWidth(larguraLed);
    for (QLabel *imagem : {ui->imSensorVermelho, ui->imSensorAmarelo, ui->imSensorVerde})
        imagem->setToolTip(dica);
}

void TfPrincipal::AjustaBarraEspaco()
{
    // The spacer stretches over what the buttons and the sensor panel leave free.
    ui->pnSensor->updateGeometry();
    ui->ToolBar->layout()->invalidate();
}

void TfPrincipal::Loga(const QString &linha)
{
    if (m_logComunicacao)
        ui->mLog->appendPlainText(linha);
}

void TfPrincipal::acLogarComunicacaoExecute()
{
    m_logComunicacao = !m_logComunicacao;
    ui->mLog->setVisible(m_logComunicacao);
}

void TfPrincipal::mLogDblClick()
{
    ui->mLog->selectAll();
    QGuiApplication::clipboard()->setText(ui->mLog->toPlainText());
}

bool TfPrincipal::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == ui->mLog->viewport() && evento->type() == QEvent::MouseButtonDblClick) {
        mLogDblClick();
        return true;
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void TfPrincipal::closeEvent(QCloseEvent *evento)
{
    // Nothing closes the window while an evaluation or a window of the menu is busy.
    if (ui->Fechar->isEnabled())
        evento->accept();
    else
        evento->ignore();
}
