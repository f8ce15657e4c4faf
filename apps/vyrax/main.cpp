// vyrax: splash, single running instance, main window, settings, data
// module and interface supervision, then the message loop.

#include "MensagensQt.h"
#include "ProgramaVyrax.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

namespace {

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

    MensagensQt mensagens;
    ProgramaVyrax vyrax(mensagens);
    if (!vyrax.Inicia())
        return vyrax.CodigoSaida();

    SaidaAposPintura saida;
    if (qEnvironmentVariableIsSet("VYRAX_SAIR_APOS_MOSTRAR"))
        vyrax.Principal()->installEventFilter(&saida);
    return app.exec();
}
