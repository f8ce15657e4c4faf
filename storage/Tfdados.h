#pragma once
// The data module: the one owner of the evaluation database and its tables.
//
// The database is one SQLite file, "vyrax.db", in the program's data folder
// (the folder of the executable, or $VYRAX_DADOS). It is made by
// "vyrax-cli init --banco ARQ"; the program never creates or alters a table,
// so a missing, foreign, incomplete or other-version file makes AbreTabelas
// fail with a message in Erro() and leaves BancoOK false.
//
// Each Tfdados has its own named connection; several may live side by side
// (tests), each on its own folder. Windows use the cursors (Tabela(...)),
// the grid models (ModeloTabela) and the helpers below, never SQL text for
// the common operations. Writes that belong together go in a Transacao.

#include "Registro.h"
#include "TabelaDados.h"

#include <QObject>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QVariantMap>

#include <memory>
#include <vector>

class Tfdados : public QObject {
    Q_OBJECT
public:
    static inline const QString NomeArquivo = QStringLiteral("vyrax.db");

    // Opens the database of the folder at once: BancoOK() tells the outcome.
    explicit Tfdados(const QString &pastaDados = PastaDados(), QObject *parent = nullptr);
    ~Tfdados() override;

    // $VYRAX_DADOS when set (tests, portable installs), else the folder of the executable.
    static QString PastaDados();

    QString Pasta() const { return m_pasta; }
    QString ArquivoBanco() const { return m_arquivo; }
    // The files a backup must archive and a restore may replace.
    QStringList ArquivosBanco() const { return {m_arquivo}; }
    // Size of the database file in bytes (0 when missing).
    qint64 TamanhoArquivo() const;

    // Opens the session and every table in the table order after checking
    // the file: exists, is a vyrax database of this version, has every table
    // with every field, can be written. Restores the group 0 "INDIVIDUAL".
    bool AbreTabelas();
    // Closes every table and the session (backup, restore).
    bool FechaTabelas();
    // SQLite packs the whole file at once: every table's indexes are rebuilt
    // in the table order, then the file is vacuumed.
    bool CompactaTabelas();
    bool CompactaTabela(const QString &tabela);

    // True while the session is open and every table is open.
    bool BancoOK() const { return m_bancoOK; }
    // What the last failed operation said, in Portuguese.
    QString Erro() const { return m_erro; }

    // The cursor of a table (case-insensitive name); nullptr for an unknown name.
    TabelaDados *Tabela(const QString &nome);
    TabelaDados &TBresultados() { return *m_tabelas[0]; }
    TabelaDados &TBdados() { return *m_tabelas[1]; }
    TabelaDados &TBavaliados() { return *m_tabelas[2]; }
    TabelaDados &TBgrupos() { return *m_tabelas[3]; }
    TabelaDados &TBtrans() { return *m_tabelas[4]; }
    TabelaDados &TBeqp() { return *m_tabelas[5]; }
    TabelaDados &TBartc() { return *m_tabelas[6]; }
    TabelaDados &TBcontracao() { return *m_tabelas[7]; }
    TabelaDados &TBrepeticao() { return *m_tabelas[8]; }
    TabelaDados &TBdeficit() { return *m_tabelas[9]; }

    // Key for a new row of a keyed table: last + 1, 1 when empty; -1 on failure.
    qint64 ProximaChave(const QString &tabela);
    // Rows of a table; -1 on failure.
    qint64 NumeroRegistros(const QString &tabela);
    // The low 8 bits of the number of evaluations (the close-time check).
    quint8 NivelBanco();

    // Rows of a table whose fields equal the given values, in the table's
    // order (or by the fields of ordem). Empty on failure (see Erro()).
    QList<Registro> Linhas(const QString &tabela, const QVariantMap &iguais = {}, const QStringList &ordem = {});
    // One field of those rows, in the same order.
    QVariantList Valores(const QString &tabela, const QString &campo, const QVariantMap &iguais = {},
                         const QStringList &ordem = {});

    // Deletes an evaluation with its rows in TBrepeticao, TBdeficit and
    // TBdados, all or nothing.
    bool ExcluiAvaliacao(qint64 avaliacao);
    // Deletes every row of a table (the report work tables before each report).
    bool EsvaziaTabela(const QString &tabela);

    // Free queries for what the helpers above do not cover. Parameters are
    // bound by name (":nome" or "nome") from the map.
    QList<QSqlRecord> Consulta(const QString &sql, const QVariantMap &parametros = {});
    bool Executa(const QString &sql, const QVariantMap &parametros = {});

    QSqlDatabase Banco() const;

    // Marks a table as written: cursors and grids over it read it again, at
    // once or when the open transaction ends.
    void Alterada(const QString &tabela);

signals:
    void TabelaAlterada(const QString &tabela);

private:
    friend class Transacao;
    bool falha(const QString &texto);
    bool abreSessao();
    bool confereEsquema();
    bool restauraIndividual();
    bool iniciaTransacao(QString *ponto);
    bool terminaTransacao(const QString &ponto, bool confirma);
    void ligaMestreDetalhe();
    // The values of some fields (all when none named) of the rows whose
    // fields equal the given values, each in its field's type; *definicao
    // receives the table.
    QList<QVariantList> seleciona(const QString &tabela, QStringList campos, const QVariantMap &iguais,
                                  const QStringList &ordem, const esquema::Tabela **definicao);

    QString m_pasta;
    QString m_arquivo;
    QString m_conexao;
    bool m_bancoOK = false;
    QString m_erro;
    std::vector<std::unique_ptr<TabelaDados>> m_tabelas;
    int m_profundidade = 0;
    int m_pontos = 0;
    QSet<QString> m_pendentes;
    QVariant m_avaliacaoDetalhe;
};

// Writes that belong together: everything done through the data module while
// a Transacao lives is kept only if Confirma() is called; otherwise (an error,
// a return, an exception) it is undone when the Transacao goes. Transactions
// nest.
class Transacao {
public:
    explicit Transacao(Tfdados &dados);
    ~Transacao();
    Transacao(const Transacao &) = delete;
    Transacao &operator=(const Transacao &) = delete;

    bool Ativa() const { return m_ativa; }
    bool Confirma();

private:
    Tfdados &m_dados;
    QString m_ponto;
    bool m_ativa = false;
};

// Fast appending of many rows to one table: one prepared statement, bound
// again for every row. Use it inside a Transacao for speed and atomicity.
class Insercao {
public:
    Insercao(Tfdados &dados, const QString &tabela);
    ~Insercao();
    Insercao(const Insercao &) = delete;
    Insercao &operator=(const Insercao &) = delete;

    // An empty row of the table, to be filled and passed to Insere.
    Registro NovaLinha() const;
    // Appends the row; its id (rowid) or -1 with Erro().
    qint64 Insere(const Registro &linha);
    QString Erro() const { return m_erro; }

private:
    struct Preparada;
    Tfdados &m_dados;
    const esquema::Tabela *m_tabela;
    std::unique_ptr<Preparada> m_preparada;
    QString m_erro;
    bool m_escreveu = false;
};

// Saving one evaluation: the header in TBresultados, every sample in TBdados,
// every contraction in TBrepeticao and the deficit lines in TBdeficit, in one
// transaction. After the first failure every call returns false and nothing
// is kept; Confirma() makes it all permanent. Reading TBrepeticao through the
// data module meanwhile (the deficit analysis) sees the rows written so far.
class GravacaoAvaliacao {
public:
    explicit GravacaoAvaliacao(Tfdados &dados);
    ~GravacaoAvaliacao();

    // Empty rows of the four tables, to be filled and passed on.
    static Registro NovoCabecalho();
    static Registro NovaAmostra();
    static Registro NovaRepeticao();
    static Registro NovoDeficit();

    bool Cabecalho(const Registro &linha) { return grava(m_cabecalho.get(), linha); }
    bool Amostra(const Registro &linha) { return grava(m_amostras.get(), linha); }
    bool Repeticao(const Registro &linha) { return grava(m_repeticoes.get(), linha); }
    bool Deficit(const Registro &linha) { return grava(m_deficit.get(), linha); }

    // Makes everything permanent; nothing more can be written afterwards.
    bool Confirma();
    bool Falhou() const { return !m_erro.isEmpty(); }
    QString Erro() const { return m_erro; }

private:
    bool grava(Insercao *insercao, const Registro &linha);

    Tfdados &m_dados;
    Transacao m_transacao;
    std::unique_ptr<Insercao> m_cabecalho;
    std::unique_ptr<Insercao> m_amostras;
    std::unique_ptr<Insercao> m_repeticoes;
    std::unique_ptr<Insercao> m_deficit;
    QString m_erro;
};
