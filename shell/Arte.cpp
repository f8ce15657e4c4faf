#include "Arte.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

// The pictures live in this static library: their resource must be
// registered by hand (outside any namespace, as the macro requires).
static void CarregaRecursosArte()
{
    static const bool carregados = [] {
        Q_INIT_RESOURCE(arte);
        return true;
    }();
    Q_UNUSED(carregados);
}

namespace arte {

namespace {

QImage Renderiza(const QString &nome, QSize tamanho, qreal densidade)
{
    CarregaRecursosArte();
    QSvgRenderer svg(QStringLiteral(":/shell/arte/%1.svg").arg(nome));
    if (tamanho.isEmpty())
        tamanho = svg.defaultSize();
    QImage imagem(tamanho * densidade, QImage::Format_ARGB32_Premultiplied);
    imagem.setDevicePixelRatio(densidade);
    imagem.fill(Qt::transparent);
    QPainter pintor(&imagem);
    svg.render(&pintor, QRectF(QPointF(0, 0), tamanho));
    return imagem;
}

// Grey, lighter and half transparent: reads as "not now" on any background.
QImage Desativada(QImage imagem)
{
    imagem = imagem.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < imagem.height(); ++y) {
        auto *linha = reinterpret_cast<QRgb *>(imagem.scanLine(y));
        for (int x = 0; x < imagem.width(); ++x) {
            const QRgb cor = linha[x];
            const int cinza = 110 + qGray(cor) * 120 / 255;
            linha[x] = qRgba(cinza, cinza, cinza, qAlpha(cor) * 6 / 10);
        }
    }
    return imagem;
}

qreal Densidade()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace

QIcon IconeAcao(const QString &nome)
{
    const QImage normal = Renderiza(nome, QSize(32, 32), Densidade());
    QIcon icone;
    icone.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
    icone.addPixmap(QPixmap::fromImage(Desativada(normal)), QIcon::Disabled);
    return icone;
}

QPixmap Figura(const QString &nome, QSize tamanho)
{
    return QPixmap::fromImage(Renderiza(nome, tamanho, Densidade()));
}

} // namespace arte
