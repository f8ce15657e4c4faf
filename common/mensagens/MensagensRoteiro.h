#pragma once
// Message service for tests: remembers every box it was asked to show and
// answers from a script written beforehand. With the script used up it answers
// as a user closing the box would (the escape button, the default text, no file).

#include "Mensagens.h"

#include <QList>
#include <QQueue>

class MensagensRoteiro : public Mensagens {
public:
    enum class Tipo { Caixa, Entrada, AbrirArquivo, SalvarArquivo };

    struct Exibida {
        Tipo tipo;
        QString titulo;
        QString texto;   // message, input prompt or file filter
        Icone icone = Icone::Nenhum;
        Botoes botoes = Botoes::Ok;
        QString padrao;  // default text or suggested file
    };

    void Responde(Botao botao) { m_botoes.enqueue(botao); }
    void RespondeTexto(const QString &texto) { m_textos.enqueue(texto); }
    void RespondeArquivo(const QString &caminho) { m_arquivos.enqueue(caminho); }

    const QList<Exibida> &Exibidas() const { return m_exibidas; }
    // Texts of the message boxes shown, in order.
    QStringList TextosDasCaixas() const;
    // Scripted answers left over: a test that ends with some left asked for a box that never came.
    qsizetype RespostasPendentes() const
    {
        return m_botoes.size() + m_textos.size() + m_arquivos.size();
    }

    Botao Caixa(QWidget *pai, const QString &titulo, const QString &texto, Icone icone,
                Botoes botoes) override;
    QString Entrada(QWidget *pai, const QString &titulo, const QString &rotulo,
                    const QString &padrao) override;
    QString AbrirArquivo(QWidget *pai, const QString &titulo, const QString &filtro,
                         const QString &sugerido) override;
    QString SalvarArquivo(QWidget *pai, const QString &titulo, const QString &filtro,
                          const QString &sugerido) override;

private:
    QString Arquivo(Tipo tipo, const QString &titulo, const QString &filtro, const QString &sugerido);

    QList<Exibida> m_exibidas;
    QQueue<Botao> m_botoes;
    QQueue<QString> m_textos;
    QQueue<QString> m_arquivos;
};
