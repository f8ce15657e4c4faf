#pragma once
// The tables of the evaluation database: names, fields, types, sizes, keys.
//
// Field names are what backups, exports and reports address, so they are kept
// exactly as the program has always spelled them, including the '/' of the
// per-kilogram sample fields ("KGF/KG"); every identifier is quoted in SQL.
// The program itself never creates a table: CriaBanco() is used by
// "vyrax-cli init" and by the tests.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace esquema {

enum class Tipo { Inteiro, Decimal, Texto, Data };

struct Campo {
    QString nome;
    Tipo tipo = Tipo::Decimal;
    int tamanho = 0;   // characters of a text field; 0 for the other types
    QString formato;   // display format of grids and reports ("####0.000"), empty when none
};

struct Tabela {
    QString nome;            // table and component name ("TBresultados")
    QString chave;           // unique key field, empty for none
    bool detalhe = false;    // detail of TBresultados by "Avaliacao"
    QList<Campo> campos;

    // Position of a field, case-insensitive as field look-ups have always been; -1 when absent.
    // Loops over many rows resolve their fields once and set them by position.
    int Indice(const QString &campo) const;
    const Campo *Procura(const QString &campo) const;
    QStringList NomesCampos() const;

    QHash<QString, int> indices;   // declared and lower-case name -> position
};

// Schema version kept in the file (PRAGMA user_version and the table VersaoBanco).
inline constexpr int Versao = 1;
// PRAGMA application_id of a vyrax database ("VYRX").
inline constexpr int IdAplicacao = 0x56595258;
inline const QString TabelaVersao = QStringLiteral("VersaoBanco");

// The eighteen tables in their fixed order: opening, closing and compacting follow it.
const QList<Tabela> &Tabelas();
// The table of that name (case-insensitive), nullptr when there is none.
const Tabela *Procura(const QString &nome);

// "KGF/KG" -> "\"KGF/KG\"".
QString Aspas(const QString &identificador);

// " ORDER BY ..." of a table's rows: by the given fields, else by the
// table's key; rows that tie stay in the order they were written.
QString ClausulaOrdem(const Tabela &tabela, const QStringList &campos = {});

// Every statement that makes an empty database of the current version.
QStringList ComandosCriacao();

// Makes a new empty database in arquivo, which must not exist. False with a
// message in Portuguese when it exists or cannot be written; a half-made file
// is removed.
bool CriaBanco(const QString &arquivo, QString *erro);

} // namespace esquema
