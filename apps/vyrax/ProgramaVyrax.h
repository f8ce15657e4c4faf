#pragma once
// The start of vyrax up to the shown main window: splash, single running
// instance, main window with its settings, data module and interface
// supervision. The message loop is the caller's.

#include "InstanciaUnica.h"
#include "SupervisaoPrincipal.h"
#include "TfPrincipal.h"
#include "Tfsplash.h"

#include <memory>

class Mensagens;

class ProgramaVyrax {
public:
    explicit ProgramaVyrax(Mensagens &mensagens);
    ~ProgramaVyrax();

    // False when the program must end now, with CodigoSaida() as its exit code:
    // another copy runs (0, it was brought to the front) or the database did not open (1).
    bool Inicia();
    int CodigoSaida() const { return m_codigoSaida; }
    TfPrincipal *Principal() const { return m_principal.get(); }

private:
    Mensagens &m_mensagens;
    Tfsplash m_splash;
    InstanciaUnica m_instancia;
    std::unique_ptr<TfPrincipal> m_principal;
    // Declared after the window: the port is closed before the window that shows its state goes.
    std::unique_ptr<SupervisaoPrincipal> m_supervisao;
    int m_codigoSaida = 0;
};
