#include "Tfload.h"
#include "ui_Tfload.h"

#include "Arte.h"
#include "Janelas.h"

Tfload::Tfload(QWidget *pai)
    : QDialog(pai, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      ui(std::make_unique<Ui::Tfload>())
{
    ui->setupUi(this);
    setFixedSize(226, 86);
    PintaCorJanela(this);
    ui->pnLoad->setStyleSheet(QStringLiteral("#pnLoad { background: white; border: 1px solid #50667D; }"));
    ui->imLoad->setPixmap(arte::Figura(QStringLiteral("ampulheta"), QSize(32, 32)));
    CentraNaTela(this);
}

Tfload::~Tfload() = default;

QProgressBar *Tfload::BarraLoad() const
{
    return ui->BarraLoad;
}
