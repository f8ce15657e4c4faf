#include "ProgramaVyrax.h"

#include "Tfdados.h"

#include <QApplication>

namespace {

// A later start asked for this copy: show it, restored and in front.
void TrazParaFrente(QWidget &janela)
{
    janela.setWindowState((janela.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    janela.show();
    janela.raise();
    janela.activateWindow();
}

} // namespace

ProgramaVyrax::ProgramaVyrax(Mensagens &mensagens)
    : m_mensagens(mensagens), m_instancia(InstanciaUnica::NomePadrao())
{
}

ProgramaVyrax::~ProgramaVyrax() = default;

bool ProgramaVyrax::Inicia()
{
    m_splash.show();
    m_splash.repaint();

    // The title the desktop shows for the program. (The display name is left
    // alone: the desktop would append it to every window caption.)
    QApplication::setApplicationName(QStringLiteral("Vyrax-PRO"));

    if (m_instancia.OutraEmExecucao()) {
        m_codigoSaida = 0;
        return false;
    }

    m_principal = std::make_unique<TfPrincipal>(m_mensagens);
    TfPrincipal &principal = *m_principal;
    QObject::connect(&m_instancia, &InstanciaUnica::AtivacaoPedida, &principal,
                     [&principal] { TrazParaFrente(principal); });
    m_supervisao = std::make_unique<SupervisaoPrincipal>(principal, m_mensagens);

    const bool aberto = principal.FormCreate([&principal] {
        principal.DefineModuloDados(std::make_unique<Tfdados>());
        return principal.ModuloDados()->BancoOK();
    });
    m_splash.close();
    if (!aberto) {
        m_codigoSaida = 1;
        return false;
    }
    principal.showMaximized();
    return true;
}
