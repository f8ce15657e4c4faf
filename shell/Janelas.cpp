#include "Janelas.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void PintaCorJanela(QWidget *janela)
{
    QPalette paleta = janela->palette();
    paleta.setColor(QPalette::Window, CorJanela);
    janela->setPalette(paleta);
    janela->setAutoFillBackground(true);
}

void CentraNaTela(QWidget *janela)
{
    const QScreen *tela = janela->screen() ? janela->screen() : QGuiApplication::primaryScreen();
    if (!tela)
        return;
    const QRect area = tela->geometry();
    const QSize tamanho = janela->frameSize().isEmpty() ? janela->size() : janela->frameSize();
    janela->move(area.x() + (area.width() - tamanho.width()) / 2,
                 area.y() + (area.height() - tamanho.height()) / 2);
}
