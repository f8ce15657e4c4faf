#pragma once
// A read-only grid model over one table of the data module. Only the row ids
// are read up front; the rows are read a page at a time as the view asks for
// them, so a grid over an evaluation of 144000 samples opens at once.
// Column headers are the field names; values come in the field's type
// (numbers, texts, QDate), to be formatted by the window.

#include "Conjunto.h"

#include <QAbstractTableModel>
#include <QPointer>

class Tfdados;
class TabelaDados;

class ModeloTabela : public QAbstractTableModel {
    Q_OBJECT
public:
    // Over every row of the table (one of the eighteen); fields: all of
    // them, or those named.
    ModeloTabela(Tfdados &dados, const QString &tabela, const QStringList &campos = {}, QObject *parent = nullptr);

    // Only the rows whose field equals the value (null shows none).
    void DefineFiltro(const QString &campo, const QVariant &valor);
    void LimpaFiltro();
    void DefineOrdem(const QStringList &campos);
    // Follows the current row of a master cursor: shows the rows whose
    // campoDetalhe equals the master's campoMestre (an evaluation's samples).
    void SegueMestre(TabelaDados &mestre, const QString &campoMestre = QStringLiteral("Avaliacao"),
                     const QString &campoDetalhe = QStringLiteral("Avaliacao"));
    // Reads the rows again (done by itself whenever the table is written).
    void Recarrega();

    // The whole row at a position, as stored; an empty Registro outside.
    Registro Linha(int linha) const;
    QString Campo(int coluna) const { return m_campos.value(coluna); }
    int Coluna(const QString &campo) const;
    int PaginasLidas() const { return m_conjunto.PaginasLidas(); }

    int rowCount(const QModelIndex &pai = {}) const override;
    int columnCount(const QModelIndex &pai = {}) const override;
    QVariant data(const QModelIndex &indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;

private:
    QPointer<Tfdados> m_dados;
    mutable Conjunto m_conjunto;
    QStringList m_campos;
    QList<int> m_indices;   // field positions in the table row
};
