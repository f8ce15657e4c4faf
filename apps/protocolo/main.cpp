#include <QApplication>
#include <QLocale>
#include <QMainWindow>

// The tool's window is filled by its own subsystem; until then the program
// starts, shows its window and gives the serial port back when closed.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QApplication::setApplicationName(QStringLiteral("Protocolo"));
    QMainWindow janela;
    janela.setObjectName(QStringLiteral("TfrmPrincipal"));
    janela.setWindowTitle(QStringLiteral("Protocolo"));
    janela.resize(800, 600);
    janela.show();
    return app.exec();
}
