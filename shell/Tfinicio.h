#pragma once
// "Início...": the last word before an evaluation starts. Accepted with
// "&Iniciar", rejected with "C&ancelar".

#include <QDialog>

#include <memory>

namespace Ui {
class Tfinicio;
}

class Tfinicio : public QDialog {
    Q_OBJECT
public:
    explicit Tfinicio(QWidget *pai = nullptr);
    ~Tfinicio() override;

private:
    std::unique_ptr<Ui::Tfinicio> ui;
};
