#pragma once
// The catalogue windows: a read-only grid over one table in key order and
// the buttons "&Inserir", "&Alterar", "&Excluir", "&Localizar",
// "Localizar &Próximo" and "&Fechar". Rows are inserted and altered through
// the table's edit window; keys are the last key + 1.
//
// Each window is created, shown modally and freed by its caller.

#include "Localizar.h"

#include <QDialog>

#include <memory>

class Mensagens;
class TabelaDados;
class Tfdados;
class TfEdicao;

namespace Ui {
class Cadastro;
}

class TfCadastro : public QDialog {
    Q_OBJECT
public:
    ~TfCadastro() override;

    TabelaDados &Tabela() const { return m_tabela; }
    const EstadoLocalizar &Localizacao() const { return *m_estado; }

signals:
    // The window closed or the table changed in a way the parameters window's
    // lists must follow: it refills them from the table and the settings.
    void ListasAlteradas();

public slots:
    void btinsClick();
    void btedtClick();
    void btexcClick();
    void btlocClick();
    void btlocnextClick();
    void btFecharClick();
    // From the current row on, the first row that matches the search and is
    // not the row found last; the last row when none does.
    void LocalizarProximo();

public:
    struct Descricao {
        QString nomeClasse;      // "Tfcadeqp"
        QString titulo;          // "Cadastro de Transdutor"
        QString tabela;          // "TBeqp"
        QString campoChave;      // "Cod"
        QString tituloInserir;   // caption of the edit window
        QString tituloAlterar;
        QStringList colunas;     // fields shown by the grid
        QStringList titulos;     // their column titles
        QString campoNome;       // name written to `configuracao` after a delete
        QString configuracao;    // setting, empty when none
        QString mensagemSemLinhas;  // "&Excluir" on an empty table, empty for silence
    };

protected:
    // `estado` is the locate state to use; nullptr for a fresh one.
    TfCadastro(const Descricao &descricao, Tfdados &dados, Mensagens &mensagens,
               EstadoLocalizar *estado, QWidget *pai);

    virtual std::unique_ptr<TfEdicao> CriaEdicao() = 0;
    // Last touch on a confirmed new row before it is posted.
    virtual void CompletaInsercao() {}
    // After a row was deleted; the default writes the name now current to the setting.
    virtual void AposExcluir();
    // Whether the current row may be altered or deleted.
    virtual bool LinhaProtegida() const { return false; }

    void done(int resultado) override;

    // Enables "&Alterar" and "&Excluir" as the current row allows.
    void AtualizaBotoes();

    std::unique_ptr<Ui::Cadastro> ui;
    TabelaDados &m_tabela;
    Mensagens &m_mensagens;

private:
    void Reabre();
    void MostraErro(const QString &texto);
    void MostraLinhaAtual();

    Descricao m_descricao;
    EstadoLocalizar m_estadoProprio;
    EstadoLocalizar *m_estado;
    bool m_gradeSuspensa = false;
};

// Transducers. The locate state lives for the whole run of the program, so
// the caller hands in the one it keeps. A new transducer gets the initial
// values of its calibration slots.
class Tfcadeqp : public TfCadastro {
    Q_OBJECT
public:
    Tfcadeqp(Tfdados &dados, Mensagens &mensagens, EstadoLocalizar &estadoDaExecucao,
             QWidget *pai = nullptr);

protected:
    std::unique_ptr<TfEdicao> CriaEdicao() override;
    void CompletaInsercao() override;
};

class Tfcadtransdutor : public TfCadastro {
    Q_OBJECT
public:
    Tfcadtransdutor(Tfdados &dados, Mensagens &mensagens, QWidget *pai = nullptr);

protected:
    std::unique_ptr<TfEdicao> CriaEdicao() override;
};

class Tfcadartic : public TfCadastro {
    Q_OBJECT
public:
    Tfcadartic(Tfdados &dados, Mensagens &mensagens, QWidget *pai = nullptr);

protected:
    std::unique_ptr<TfEdicao> CriaEdicao() override;
};

// Contraction pairs. A delete clears the chosen pair (`IniciaContracao`,
// `ContracaoContraria`) and asks for the lists to be refilled at once.
class Tfcadcontracao : public TfCadastro {
    Q_OBJECT
public:
    Tfcadcontracao(Tfdados &dados, Mensagens &mensagens, QWidget *pai = nullptr);

protected:
    std::unique_ptr<TfEdicao> CriaEdicao() override;
    void AposExcluir() override;
};

class TfCadAvaliados : public TfCadastro {
    Q_OBJECT
public:
    TfCadAvaliados(Tfdados &dados, Mensagens &mensagens, QWidget *pai = nullptr);

protected:
    std::unique_ptr<TfEdicao> CriaEdicao() override;
};

// Groups. The group 0 "INDIVIDUAL" can be found but neither altered nor
// deleted: "&Alterar" and "&Excluir" are enabled only on other rows.
class TfCadGrupos : public TfCadastro {
    Q_OBJECT
public:
    TfCadGrupos(Tfdados &dados, Mensagens &mensagens, QWidget *pai = nullptr);

protected:
    std::unique_ptr<TfEdicao> CriaEdicao() override;
    bool LinhaProtegida() const override;
};
