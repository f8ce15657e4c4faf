#include "Tfinicio.h"
#include "ui_Tfinicio.h"

#include "Arte.h"
#include "Janelas.h"

Tfinicio::Tfinicio(QWidget *pai) : QDialog(pai, Qt::Tool), ui(std::make_unique<Ui::Tfinicio>())
{
    ui->setupUi(this);
    setFixedSize(193, 139);
    PintaCorJanela(this);
    ui->pnMensagem->setStyleSheet(QStringLiteral("#pnMensagem { background: white; border: 1px solid #50667D; }"));
    QFont fonte(QStringLiteral("Arial"));
    fonte.setPixelSize(13);
    ui->lbMensagem->setFont(fonte);
    ui->imInicio->setPixmap(arte::Figura(QStringLiteral("inicio"), QSize(28, 28)));
    CentraNaTela(this);
}

Tfinicio::~Tfinicio() = default;
