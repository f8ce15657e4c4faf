#pragma once
// Plugs the interface supervision and the communication window into the
// main window: the supervision shows itself on the window's LED, port text,
// log and timer, and the window's commands reach the port through it.

#include "SupervisaoInterface.h"

class Mensagens;
class TfPrincipal;

class SupervisaoPrincipal : public PainelSupervisao {
public:
    // Registers itself with the window; it must outlive the window's use of the port.
    SupervisaoPrincipal(TfPrincipal &principal, Mensagens &mensagens,
                        SupervisaoInterface::ListaPortasFn listaPortas = ListaPortasSeriais);
    ~SupervisaoPrincipal() override;

    SupervisaoInterface &Supervisao() { return m_supervisao; }

    void AjustaLedSensor(int estado) override;
    void MostraPorta(const QString &texto, const QString &dica, int larguraLed) override;
    void Loga(const QString &linha) override;
    void AjustaBarraEspaco() override;
    int IntervaloSupervisao() const override;
    void DefineIntervaloSupervisao(int ms) override;
    QString PortaCOM() const override;
    void DefinePortaCOM(const QString &porta) override;

private:
    void ConfiguraComunicacao();

    TfPrincipal &m_principal;
    Mensagens &m_mensagens;
    SupervisaoInterface::ListaPortasFn m_listaPortas;
    SupervisaoInterface m_supervisao;
};
