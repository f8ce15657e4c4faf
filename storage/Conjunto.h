#pragma once
// The rows of one table that a cursor or a grid shows: an optional equality
// filter (the master-detail link), an order, and the row ids in that order.
//
// Only the row ids are read up front (an evaluation of 144000 samples is
// about a megabyte of ids); the rows themselves are read a page at a time,
// when somebody asks for them, and a few pages are kept.

#include "Registro.h"

#include <QList>
#include <QSqlDatabase>

class Conjunto {
public:
    static constexpr int TamanhoPagina = 256;

    explicit Conjunto(const esquema::Tabela &tabela);

    const esquema::Tabela &Tabela() const { return *m_tabela; }

    // Only rows whose field equals the value (a null value shows no row).
    void DefineFiltro(const QString &campo, const QVariant &valor);
    void LimpaFiltro();
    bool Filtrado() const { return !m_campoFiltro.isEmpty(); }
    QVariant ValorFiltro() const { return m_valorFiltro; }
    // Fields to sort by; rows that tie stay in the order they were written.
    // Empty: the table's key, or the order of writing for tables without one.
    void DefineOrdem(const QStringList &campos);

    // Reads the row ids again and forgets the cached pages.
    bool Carrega(const QSqlDatabase &banco, QString *erro);
    void Esvazia();

    int Quantidade() const { return int(m_ids.size()); }
    qint64 Id(int indice) const { return m_ids.value(indice, -1); }
    int IndiceDe(qint64 id) const { return int(m_ids.indexOf(id)); }

    // The row at that position, read with its page when not cached; nullptr
    // when the position is outside or the read failed.
    const Registro *Linha(const QSqlDatabase &banco, int indice, QString *erro);

    // Position of the first row, in order, whose fields match the values;
    // -1 when none. Text fields may match by prefix and ignoring case.
    int Procura(const QSqlDatabase &banco, const QStringList &campos, const QVariantList &valores,
                bool chaveParcial, bool semCaixa, QString *erro);

    // Pages read from the database since the last Carrega (for tests).
    int PaginasLidas() const { return m_paginasLidas; }

private:
    QString clausulas() const;
    void ligaFiltro(class QSqlQuery &consulta) const;
    bool lePagina(const QSqlDatabase &banco, int pagina, QString *erro);

    const esquema::Tabela *m_tabela;
    QString m_campoFiltro;
    QVariant m_valorFiltro;
    QStringList m_ordem;
    QList<qint64> m_ids;
    QList<int> m_paginasRecentes;          // most recent last
    QHash<int, QList<Registro>> m_paginas;
    int m_paginasLidas = 0;
};
