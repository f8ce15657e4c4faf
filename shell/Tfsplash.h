#pragma once
// The picture shown while the program starts.

#include <QWidget>

#include <memory>

namespace Ui {
class Tfsplash;
}

class Tfsplash : public QWidget {
    Q_OBJECT
public:
    explicit Tfsplash(QWidget *pai = nullptr);
    ~Tfsplash() override;

private:
    std::unique_ptr<Ui::Tfsplash> ui;
};
