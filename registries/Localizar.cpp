#include "Localizar.h"

#include "Numeros.h"

#include <QDate>
#include <QDateTime>

QString TextoCampo(const QVariant &valor)
{
    if (valor.isNull())
        return {};
    switch (valor.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numeros::Curto(valor.toDouble());
    case QMetaType::QDate:
        return valor.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime:
        return valor.toDateTime().date().toString(QStringLiteral("dd/MM/yyyy"));
    default:
        return valor.toString();
    }
}

QString TextoLinhaLocalizar(const QStringList &textosCampos)
{
    QString linha;
    for (const QString &texto : textosCampos)
        linha += QStringLiteral("/[") + texto + QStringLiteral("]\\");
    return linha;
}

void EstadoLocalizar::NovaBusca(const QString &texto)
{
    m_busca = texto.toUpper();
    m_ultimo.clear();
}

bool EstadoLocalizar::Confere(const QString &textoLinha)
{
    if (m_busca.isEmpty() || textoLinha == m_ultimo || !textoLinha.contains(m_busca))
        return false;
    m_ultimo = textoLinha;
    return true;
}
