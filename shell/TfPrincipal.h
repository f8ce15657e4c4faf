#pragma once
// The main window: tool bar, menus and actions through which every other
// window opens, the interface LED and clock, the communication log, the
// closing sequence with its backup reminder, and the launch of the protocol tool.

#include "ConfiguracaoInicio.h"
#include "ContadoresBanco.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <memory>

class Mensagens;
class QAction;
class QDialog;
class QLabel;
class QTimer;
class Tfdados;

namespace Ui {
class TfPrincipal;
}

class TfPrincipal : public QMainWindow {
    Q_OBJECT
public:
    // Builds a window that the shell opens modally from one of its actions.
    using FabricaJanela = std::function<std::unique_ptr<QDialog>(QWidget *pai)>;

    // What the device link plugs into the shell. Every piece may be left
    // empty; the shell then goes on as if that step had nothing to do.
    struct LigacaoInterface {
        std::function<void()> Supervisiona;         // one tick of the interface supervision
        std::function<void()> FechaPorta;           // closes PortaInterface (full closing sequence)
        std::function<void()> ReabrePorta;          // reopens PortaCOM at 115200 baud, no identification
        std::function<void()> ConfiguraComunicacao; // stop, close, communication window, PortaCOM
        std::function<void()> Reidentifica;         // after it: reopen PortaCOM and identify
    };

    explicit TfPrincipal(Mensagens &mensagens, QWidget *pai = nullptr);
    ~TfPrincipal() override;

    // Start-up of the window: locale, settings, data module, actions and
    // supervision. `abreModuloDados` creates the data module and answers
    // BancoOK. False when the database is not available; the user has been told
    // (with the data module's own reason, when one was kept) and the program must end.
    bool FormCreate(const std::function<bool()> &abreModuloDados);

    // The data module lives as long as the window; later windows bind to it.
    void DefineModuloDados(std::unique_ptr<Tfdados> dados);
    Tfdados *ModuloDados() const { return m_dados.get(); }

    void DefineJanela(QAction *acao, FabricaJanela fabrica);
    void DefineLigacao(LigacaoInterface ligacao) { m_ligacao = std::move(ligacao); }
    // Starts the evaluation set-up; it gives actions and supervision back when it ends.
    void DefineIniciaAvaliacao(std::function<void()> inicia) { m_iniciaAvaliacao = std::move(inicia); }
    // The folder where the protocol tool is looked for (the program's own by default).
    void DefinePastaPrograma(const QString &pasta) { m_pastaPrograma = pasta; }

    Mensagens &Msg() const { return m_mensagens; }
    const ConfiguracaoInicio &Configuracao() const { return m_config; }
    ContadoresBanco &Contadores() { return m_contadores; }
    QString PortaCOM() const { return m_config.Porta; }
    void DefinePortaCOM(const QString &porta) { m_config.Porta = porta; }

    void HabilitaAcoes(bool habilita);
    void AtivaSupervisao(bool ativa);
    // Runs `corpo` with the actions and the supervision off, as every command
    // that opens a window does.
    void ExecutaModal(const std::function<void()> &corpo);

    // Sensor LED: 1 green, 2 yellow, 3 red, 4 grey; `qual` is always 1.
    void AjustaLedSensor(int qual, int estado);
    int EstadoLedSensor(int qual) const;
    // The port text and its hint beside the LED, with the LED panel width.
    void MostraPorta(const QString &texto, const QString &dica, int larguraLed);
    // A line of the communication log, kept only while the log is on.
    void Loga(const QString &linha);
    bool LogComunicacao() const { return m_logComunicacao; }
    // The supervision timer, whose interval the supervision adapts to the link state.
    QTimer *TimerSensor() const { return tmSensor; }
    // Lays the tool bar out again after the port text beside the LED changed.
    void AjustaBarraEspaco();

public slots:
    void tmSensorTimer();
    void acLogarComunicacaoExecute();
    void mLogDblClick();

protected:
    void closeEvent(QCloseEvent *evento) override; // FormCloseQuery
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    // The LED images in the order of their states (1 green … 4 grey).
    std::array<QLabel *, 4> ImagensLed() const;
    void MontaBarraFerramentas();
    void LigaAcoes();
    void AbreJanela(QAction *acao);
    void PerguntaNome(const QString &rotulo, const QString &valor);
    void GravaTexto(const QString &nome, const QString &valor);

    void NovaAvaliacaoExecute();
    void ComunicacaoExecute();
    void FecharExecute();
    void InformacoesSistemaExecute();
    void Help_ProtocoloExecute();

    std::unique_ptr<Ui::TfPrincipal> ui;
    std::unique_ptr<Tfdados> m_dados;
    Mensagens &m_mensagens;
    QTimer *tmSensor;
    ConfiguracaoInicio m_config;
    ContadoresBanco m_contadores;
    LigacaoInterface m_ligacao;
    std::function<void()> m_iniciaAvaliacao;
    std::map<QAction *, FabricaJanela> m_janelas;
    QString m_pastaPrograma;
    bool m_logComunicacao = false;
};
