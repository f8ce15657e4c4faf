#pragma once
// The communication settings window: lists the serial ports with their
// availability, marks the last port used, and tests whether the interface
// answers on the chosen port before it can be confirmed.

#include "SupervisaoInterface.h"

#include <QDialog>

#include <memory>

class Mensagens;

namespace Ui {
class TfConfCOM;
}

class TfConfCOM : public QDialog {
    Q_OBJECT
public:
    explicit TfConfCOM(Mensagens &mensagens, QWidget *pai = nullptr,
                       SupervisaoInterface::ListaPortasFn listaPortas = ListaPortasSeriais);
    ~TfConfCOM() override;

    // The port of the selected line; what the "&Comunicação" command takes on OK.
    QString PortaEscolhida() const { return m_portaEscolhida; }
    // The lines of the list as "port[*];availability".
    QStringList Linhas() const;
    // The port name of a line: the text before the "*" mark or the ";".
    static QString PortaDaLinha(const QString &linha);

public slots:
    void lbPortasClick();
    void btTesteClick();

protected:
    void showEvent(QShowEvent *evento) override;

private:
    void FormShow();
    QString LinhaSelecionada() const;
    bool ProcuraInterface(const TPorta &porta);

    std::unique_ptr<Ui::TfConfCOM> ui;
    Mensagens &m_mensagens;
    SupervisaoInterface::ListaPortasFn m_listaPortas;
    QString m_portaSalva;
    QString m_portaEscolhida;
};
