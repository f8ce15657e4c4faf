// vyrax: splash, single running instance, main window, settings, then the
// message loop.

#include "InstanciaUnica.h"
#include "MensagensQt.h"
#include "TfPrincipal.h"
#include "Tfsplash.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

namespace {

// A later start asked for this copy: show it, restored and in front.
void TrazParaFrente(QWidget &janela)
{
    janela.setWindowState((janela.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    janela.show();
    janela.raise();
    janela.activateWindow();
}

// With VYRAX_SAIR_APOS_MOSTRAR set the program ends once the main window has
// been painted: the start-up benchmark times a whole start from outside.
class SaidaAposPintura : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(objeto, evento);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The desktop's own dialogs (files, printing) in Portuguese too.
    QTranslator traducaoQt;
    if (traducaoQt.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traducaoQt);

    Tfsplash splash;
    splash.show();
    splash.repaint();

    // The title the desktop shows for the program. (The display name is left
    // alone: the desktop would append it to every window caption.)
    QApplication::setApplicationName(QStringLiteral("Vyrax-PRO"));

    InstanciaUnica instancia(InstanciaUnica::NomePadrao());
    if (instancia.OutraEmExecucao())
        return 0;

    MensagensQt mensagens;
    TfPrincipal principal(mensagens);
    QObject::connect(&instancia, &InstanciaUnica::AtivacaoPedida, &principal,
                     [&principal] { TrazParaFrente(principal); });

    // The data module (Tfdados) is created here and answers BancoOK once
    // storage provides it; until then there are no tables to open.
    if (!principal.FormCreate({}))
        return 1;

    splash.close();
    SaidaAposPintura saida;
    if (qEnvironmentVariableIsSet("VYRAX_SAIR_APOS_MOSTRAR"))
        principal.installEventFilter(&saida);
    principal.showMaximized();
    return app.exec();
}
