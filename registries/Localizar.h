#pragma once
// The locate rule of the catalogue windows: a row's text is every field's
// text in field order, each as "/[" + text + "]\", and a row matches when
// that text contains the search text and differs from the row found last.

#include <QString>
#include <QStringList>
#include <QVariant>

// A field's value as the grid shows it: numbers with the decimal comma and
// no trailing zeros, dates as dd/mm/yyyy, null as empty.
QString TextoCampo(const QVariant &valor);

// "/[a]\/[b]\..." for the given field texts.
QString TextoLinhaLocalizar(const QStringList &textosCampos);

// Search text and the text of the row found last. The transducer registry
// keeps one for the whole run; the other registries start a fresh one.
class EstadoLocalizar {
public:
    // Starts a search: the text is kept in upper case and nothing is found yet.
    void NovaBusca(const QString &texto);
    const QString &Busca() const { return m_busca; }
    const QString &UltimoEncontrado() const { return m_ultimo; }

    // True when this row is the next match; it becomes the row found last.
    // Matching is case-sensitive and an empty search text matches nothing.
    bool Confere(const QString &textoLinha);

private:
    QString m_busca;
    QString m_ultimo;
};
