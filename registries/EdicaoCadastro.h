#pragma once
// The small modal windows that insert or alter one catalogue row. Each is
// bound to the current row of its table, which the registry has put in
// insert or edit mode: the window shows that row, checks what was typed and,
// on OK, leaves the values in the row for the registry to post.

#include <QDialog>

#include <functional>
#include <memory>

class Mensagens;
class QPushButton;
class TabelaDados;

namespace Ui {
class NovoNome;
class NovaContracao;
class NovoAvaliado;
class NovoGrupo;
}

class TfEdicao : public QDialog {
    Q_OBJECT
public:
    // Caption and confirming button ("&Inserir" or "&Alterar"), then shown
    // modally over the current row.
    int Mostra(const QString &titulo, const QString &textoBotao);

protected:
    TfEdicao(const QString &nomeClasse, TabelaDados &tabela, Mensagens &mensagens, QWidget *pai);

    // The current row into the fields.
    virtual void Carrega() = 0;
    // The window's confirming and cancelling buttons and the field that
    // takes the focus when it shows.
    void Liga(QPushButton *confirma, QPushButton *cancela, QWidget *primeiroCampo);

    // A plain message with the application's title, then the focus on the field.
    void Avisa(const QString &texto, QWidget *campo);
    // Sets a field of the row being edited; false (with a message) when the
    // table refuses the value.
    bool Define(const QString &campo, const QVariant &valor);

    void showEvent(QShowEvent *evento) override;

    TabelaDados &m_tabela;
    Mensagens &m_mensagens;

private:
    QPushButton *m_confirma = nullptr;
    QWidget *m_primeiroCampo = nullptr;
};

// Appends a row with the next key (last + 1) to the table, shows the edit
// window over it and posts it on OK; `completa` runs just before the post.
// Returns the new key, or 0 when the user cancelled or the table refused the
// row (the refusal is shown and the row dropped, so the table is unchanged).
qint64 InsereLinha(TabelaDados &tabela, const QString &campoChave, TfEdicao &edicao,
                   const QString &titulo, Mensagens &mensagens,
                   const std::function<void()> &completa = {});

// Posts the row being inserted or edited; when the table refuses it the row
// is dropped and the reason shown.
bool GravaLinha(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai);

// Transducers, accessories and articulations: one name.
class TfNovoNome : public TfEdicao {
    Q_OBJECT
public:
    struct Descricao {
        QString campo;          // field of the table ("Equipamento")
        QString rotulo;         // label of the field ("Transdutor")
        QString mensagemVazio;  // shown when no name was typed
        QString configuracao;   // setting that receives the name
    };
    ~TfNovoNome() override;

public slots:
    void btinserirClick();

protected:
    TfNovoNome(const QString &nomeClasse, const Descricao &descricao, TabelaDados &tabela,
               Mensagens &mensagens, QWidget *pai);
    void Carrega() override;

private:
    std::unique_ptr<Ui::NovoNome> ui;
    Descricao m_descricao;
};

class Tfnovoeqp : public TfNovoNome {
    Q_OBJECT
public:
    Tfnovoeqp(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai = nullptr);
};

class Tfnovotransdutor : public TfNovoNome {
    Q_OBJECT
public:
    Tfnovotransdutor(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai = nullptr);
};

class Tfnovaartic : public TfNovoNome {
    Q_OBJECT
public:
    Tfnovaartic(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai = nullptr);
};

// A pair of contraction names; an empty antagonist is stored as "NENHUMA".
class Tfnovacontracao : public TfEdicao {
    Q_OBJECT
public:
    Tfnovacontracao(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai = nullptr);
    ~Tfnovacontracao() override;

public slots:
    void btinserirClick();

protected:
    void Carrega() override;

private:
    std::unique_ptr<Ui::NovaContracao> ui;
};

// A person: name, nickname, birth date (dd/mm/yyyy mask), sex and the rest.
class Tfnovoavaliado : public TfEdicao {
    Q_OBJECT
public:
    Tfnovoavaliado(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai = nullptr);
    ~Tfnovoavaliado() override;

public slots:
    void btinserirClick();

protected:
    void Carrega() override;

private:
    std::unique_ptr<Ui::NovoAvaliado> ui;
};

// A group with its season; Enter moves from field to field.
class Tfnovogrupo : public TfEdicao {
    Q_OBJECT
public:
    Tfnovogrupo(TabelaDados &tabela, Mensagens &mensagens, QWidget *pai = nullptr);
    ~Tfnovogrupo() override;

public slots:
    void btInserirClick();

protected:
    void Carrega() override;

private:
    std::unique_ptr<Ui::NovoGrupo> ui;
};
