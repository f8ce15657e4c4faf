#pragma once
// The message service on the desktop's own boxes.

#include "Mensagens.h"

class MensagensQt : public Mensagens {
public:
    Botao Caixa(QWidget *pai, const QString &titulo, const QString &texto, Icone icone,
                Botoes botoes) override;
    QString Entrada(QWidget *pai, const QString &titulo, const QString &rotulo,
                    const QString &padrao) override;
    QString AbrirArquivo(QWidget *pai, const QString &titulo, const QString &filtro,
                         const QString &sugerido) override;
    QString SalvarArquivo(QWidget *pai, const QString &titulo, const QString &filtro,
                          const QString &sugerido) override;
};
