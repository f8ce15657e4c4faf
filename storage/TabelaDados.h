#pragma once
// A table as the windows use it: a cursor on one current row, moved with
// First/Next/Prior/Last, searched with Locate, written with
// Append/Edit -> SetCampo -> Post (or Cancel) and Delete.
//
// Rows come in the table's order (its key; order of writing for tables
// without one). A detail table of an evaluation shows only the rows of the
// evaluation current in TBresultados. Every Post and Delete goes to disk at
// once, inside the transaction that is open (see Transacao), if any.

#include "Conjunto.h"

#include <QObject>

class Tfdados;

enum class OpcaoLocate { ChaveParcial = 1, SemCaixa = 2 };
Q_DECLARE_FLAGS(OpcoesLocate, OpcaoLocate)
Q_DECLARE_OPERATORS_FOR_FLAGS(OpcoesLocate)

class TabelaDados : public QObject {
    Q_OBJECT
public:
    enum class Estado { Fechada, Navegando, Inserindo, Editando };

    TabelaDados(Tfdados &dados, const esquema::Tabela &tabela);

    const esquema::Tabela &Definicao() const { return m_conjunto.Tabela(); }
    QString Nome() const { return Definicao().nome; }
    Estado EstadoAtual() const { return m_estado; }
    bool Ativa() const { return m_estado != Estado::Fechada; }
    QString Erro() const { return m_erro; }

    // Navigation. Next on the last row and Last set Eof; Prior on the first
    // row and First set Bof. A row being edited is posted before moving.
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool IsEmpty() const { return m_conjunto.Quantidade() == 0; }
    int RecordCount() const { return m_conjunto.Quantidade(); }
    // Position of the current row from 0; -1 when there is none.
    int RecNo() const { return m_posicao; }
    bool MoveTo(int posicao);

    // The current row (the edit buffer while inserting or editing); an empty
    // Registro when there is no row.
    Registro Atual() const;
    QVariant Campo(const QString &nome) const { return Atual().Valor(nome); }

    // Editing. SetCampo only works while inserting or editing. Post keeps the
    // row in the editing state when the database refuses it (a key that
    // already exists), so the caller can fix it or Cancel.
    bool Append();
    bool Edit();
    bool SetCampo(const QString &nome, const QVariant &valor);
    bool Post();
    void Cancel();
    // Deletes the current row; the row after it becomes current (the one
    // before when it was the last).
    bool Delete();

    // Moves to the first row, in order, whose fields equal the values; false
    // (and no move) when there is none. ChaveParcial: a text field matches
    // when it starts with the value; SemCaixa: ignoring upper and lower case.
    bool Locate(const QStringList &campos, const QVariantList &valores, OpcoesLocate opcoes = {});
    bool Locate(const QString &campo, const QVariant &valor, OpcoesLocate opcoes = {});

    // Shows only the rows whose field equals the value, from the first row.
    void DefineFiltro(const QString &campo, const QVariant &valor);
    void LimpaFiltro();
    void DefineOrdem(const QStringList &campos);

    // Key for a new row: the key of the last row in key order + 1, 1 for an empty table.
    qint64 ProximaChave() const;

    // Reads the rows again, staying on the same row when it still exists.
    bool Atualiza();

signals:
    // The current row changed (another row, or the rows were read again).
    void Moveu();

private:
    friend class Tfdados;
    bool abre();
    void fecha();
    bool saiDaEdicao();
    // Another writer changed the table: read it again unless a row is being edited here.
    void avisoDeAlteracao();
    bool falha(const QString &texto);
    void posiciona(int posicao);

    Tfdados &m_dados;
    Conjunto m_conjunto;
    Estado m_estado = Estado::Fechada;
    int m_posicao = -1;
    bool m_eof = true;
    bool m_bof = true;
    Registro m_edicao;
    qint64 m_idEdicao = -1;
    QString m_erro;
    bool m_gravando = false;
};
