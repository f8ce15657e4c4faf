#pragma once
// One row of a database table, with its values in field order.
//
// Values are converted to the field's type when they are set: text is cut to
// the field's size, numbers typed with the decimal comma are read, dates are
// QDate. A null QVariant is an empty field.

#include "EsquemaBanco.h"

#include <QVariant>

class Registro {
public:
    Registro() = default;
    // A row of that table with every field empty.
    explicit Registro(const esquema::Tabela &tabela);
    // A row read from the database: the values are already of the fields' types.
    Registro(const esquema::Tabela &tabela, QVariantList valores);

    const esquema::Tabela *Tabela() const { return m_tabela; }
    int Quantidade() const { return int(m_valores.size()); }

    // Value of a field (case-insensitive name); an invalid QVariant when the
    // table has no such field.
    QVariant Valor(const QString &campo) const;
    QVariant Valor(int indice) const { return m_valores.value(indice); }
    bool Vazio(const QString &campo) const { return Valor(campo).isNull(); }
    const QVariantList &Valores() const { return m_valores; }

    // Sets a field, converted to its type. False (with a message in
    // Portuguese in *erro) for an unknown field or a value of the wrong kind;
    // the row is then unchanged.
    bool Define(const QString &campo, const QVariant &valor, QString *erro = nullptr);
    bool Define(int indice, const QVariant &valor, QString *erro = nullptr);
    // Numbers, the bulk of a sample row, without the conversions above.
    bool Define(const QString &campo, double valor, QString *erro = nullptr);
    bool Define(int indice, double valor, QString *erro = nullptr);
    // Every field empty again.
    void Limpa();

    // The value as stored in the database and back (dates as ISO text).
    static QVariant ParaBanco(const esquema::Campo &campo, const QVariant &valor);
    static QVariant DoBanco(const esquema::Campo &campo, const QVariant &valor);
    // The value converted to the field's type; an invalid QVariant when it
    // cannot be (a null QVariant stays null).
    static QVariant Converte(const esquema::Campo &campo, const QVariant &valor);

private:
    const esquema::Tabela *m_tabela = nullptr;
    QVariantList m_valores;
};
