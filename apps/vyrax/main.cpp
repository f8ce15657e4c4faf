#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Vyrax-PRO"));
    QMainWindow janela;
    janela.setWindowTitle(QStringLiteral("Vyrax - PRO [Versão: 2.0.3.8]"));
    janela.showMaximized();
    return app.exec();
}
