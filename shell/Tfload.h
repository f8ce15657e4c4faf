#pragma once
// "Aguarde ...": progress of a long operation. The caller sets the range and
// advances BarraLoad, shows the window and releases it when done.

#include <QDialog>

#include <memory>

class QProgressBar;

namespace Ui {
class Tfload;
}

class Tfload : public QDialog {
    Q_OBJECT
public:
    explicit Tfload(QWidget *pai = nullptr);
    ~Tfload() override;

    QProgressBar *BarraLoad() const;

private:
    std::unique_ptr<Ui::Tfload> ui;
};
