#include "Tfsplash.h"
#include "ui_Tfsplash.h"

#include "Arte.h"
#include "Janelas.h"

Tfsplash::Tfsplash(QWidget *pai)
    : QWidget(pai, Qt::SplashScreen | Qt::FramelessWindowHint), ui(std::make_unique<Ui::Tfsplash>())
{
    ui->setupUi(this);
    setFixedSize(282, 227);
    PintaCorJanela(this);
    ui->imSplash->setPixmap(arte::Figura(QStringLiteral("splash"), size()));
    CentraNaTela(this);
}

Tfsplash::~Tfsplash() = default;
