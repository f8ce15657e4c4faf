#include "SupervisaoPrincipal.h"

#include "TfConfCOM.h"
#include "TfPrincipal.h"

#include <QTimer>

SupervisaoPrincipal::SupervisaoPrincipal(TfPrincipal &principal, Mensagens &mensagens,
                                         SupervisaoInterface::ListaPortasFn listaPortas)
    : m_principal(principal),
      m_mensagens(mensagens),
      m_listaPortas(listaPortas),
      m_supervisao(*this, std::move(listaPortas))
{
    m_principal.DefineLigacao({
        .Supervisiona = [this] { m_supervisao.tmSensorTimer(); },
        .FechaPorta = [this] { m_supervisao.FechaPorta(); },
        .ReabrePorta = [this] { m_supervisao.ReabrePorta(); },
        .ConfiguraComunicacao = [this] { ConfiguraComunicacao(); },
        .Reidentifica = [this] { m_supervisao.Reidentifica(); },
    });
}

SupervisaoPrincipal::~SupervisaoPrincipal()
{
    m_principal.DefineLigacao({});
}

void SupervisaoPrincipal::ConfiguraComunicacao()
{
    m_supervisao.LiberaPorta();
    TfConfCOM janela(m_mensagens, &m_principal, m_listaPortas);
    if (janela.exec() == QDialog::Accepted)
        m_principal.DefinePortaCOM(janela.PortaEscolhida());
}

void SupervisaoPrincipal::AjustaLedSensor(int estado)
{
    m_principal.AjustaLedSensor(1, estado);
}

void SupervisaoPrincipal::MostraPorta(const QString &texto, const QString &dica, int larguraLed)
{
    m_principal.MostraPorta(texto, dica, larguraLed);
}

void SupervisaoPrincipal::Loga(const QString &linha)
{
    m_principal.Loga(linha);
}

void SupervisaoPrincipal::AjustaBarraEspaco()
{
    m_principal.AjustaBarraEspaco();
}

int SupervisaoPrincipal::IntervaloSupervisao() const
{
    return m_principal.TimerSensor()->interval();
}

void SupervisaoPrincipal::DefineIntervaloSupervisao(int ms)
{
    m_principal.TimerSensor()->setInterval(ms);
}

QString SupervisaoPrincipal::PortaCOM() const
{
    return m_principal.PortaCOM();
}

void SupervisaoPrincipal::DefinePortaCOM(const QString &porta)
{
    m_principal.DefinePortaCOM(porta);
}
