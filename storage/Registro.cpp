#include "Registro.h"

#include "Numeros.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

using esquema::Campo;
using esquema::Tipo;

Registro::Registro(const esquema::Tabela &tabela)
    : m_tabela(&tabela)
{
    Limpa();
}

Registro::Registro(const esquema::Tabela &tabela, QVariantList valores)
    : m_tabela(&tabela)
    , m_valores(std::move(valores))
{
    m_valores.resize(tabela.campos.size());
}

void Registro::Limpa()
{
    if (!m_tabela)
        return;
    m_valores = QVariantList(m_tabela->campos.size());
}

QVariant Registro::Valor(const QString &campo) const
{
    if (!m_tabela)
        return {};
    const int i = m_tabela->Indice(campo);
    return i < 0 ? QVariant() : m_valores[i];
}

bool Registro::Define(const QString &campo, const QVariant &valor, QString *erro)
{
    const int i = m_tabela ? m_tabela->Indice(campo) : -1;
    if (i < 0) {
        if (erro)
            *erro = QStringLiteral("Campo %1 não existe na tabela %2.")
                        .arg(campo, m_tabela ? m_tabela->nome : QStringLiteral("?"));
        return false;
    }
    return Define(i, valor, erro);
}

bool Registro::Define(int indice, const QVariant &valor, QString *erro)
{
    if (!m_tabela || indice < 0 || indice >= m_valores.size()) {
        if (erro)
            *erro = QStringLiteral("Campo %1 não existe.").arg(indice);
        return false;
    }
    const Campo &campo = m_tabela->campos[indice];
    QVariant convertido = Converte(campo, valor);
    if (!convertido.isValid()) {
        if (erro)
            *erro = QStringLiteral("Valor \"%1\" inválido para o campo %2 da tabela %3.")
                        .arg(valor.toString(), campo.nome, m_tabela->nome);
        return false;
    }
    m_valores[indice] = std::move(convertido);
    return true;
}

bool Registro::Define(const QString &campo, double valor, QString *erro)
{
    const int i = m_tabela ? m_tabela->Indice(campo) : -1;
    if (i < 0)
        return Define(campo, QVariant(valor), erro);
    return Define(i, valor, erro);
}

bool Registro::Define(int indice, double valor, QString *erro)
{
    if (m_tabela && indice >= 0 && indice < m_valores.size() && m_tabela->campos[indice].tipo == Tipo::Decimal) {
        m_valores[indice] = valor;
        return true;
    }
    return Define(indice, QVariant(valor), erro);
}

namespace {

bool numerico(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

QVariant nulo(QMetaType::Type tipo) { return QVariant(QMetaType(tipo)); }

QVariant comoDecimal(const QVariant &v)
{
    if (numerico(v))
        return v.toDouble();
    const QString texto = v.toString().trimmed();
    if (texto.isEmpty())
        return nulo(QMetaType::Double);
    if (const auto lido = numeros::LeDecimalOuPonto(texto))
        return *lido;
    return {};
}

QVariant comoInteiro(const QVariant &v)
{
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        const double d = v.toDouble();
        return std::isfinite(d) ? QVariant(qint64(std::llround(d))) : QVariant();
    }
    if (numerico(v))
        return v.toLongLong();
    const QString texto = v.toString().trimmed();
    if (texto.isEmpty())
        return nulo(QMetaType::LongLong);
    if (const auto lido = numeros::LeInteiro(texto))
        return qint64(*lido);
    return {};
}

QVariant comoData(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDate)
        return v;
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString texto = v.toString().trimmed();
    if (texto.isEmpty())
        return nulo(QMetaType::QDate);
    for (const char *formato : {"dd/MM/yyyy", "yyyy-MM-dd"}) {
        const QDate d = QDate::fromString(texto, QLatin1String(formato));
        if (d.isValid())
            return d;
    }
    return {};
}

} // namespace

QVariant Registro::Converte(const Campo &campo, const QVariant &valor)
{
    // The common case of a sample: a number into a number field, nothing to convert.
    const int tipo = valor.typeId();
    if ((campo.tipo == Tipo::Decimal && tipo == QMetaType::Double)
        || (campo.tipo == Tipo::Inteiro && tipo == QMetaType::LongLong))
        return valor;
    if (valor.isNull()) {
        switch (campo.tipo) {
        case Tipo::Inteiro:
            return nulo(QMetaType::LongLong);
        case Tipo::Decimal:
            return nulo(QMetaType::Double);
        case Tipo::Texto:
            return nulo(QMetaType::QString);
        case Tipo::Data:
            return nulo(QMetaType::QDate);
        }
    }
    switch (campo.tipo) {
    case Tipo::Inteiro:
        return comoInteiro(valor);
    case Tipo::Decimal:
        return comoDecimal(valor);
    case Tipo::Texto:
        return valor.toString().left(campo.tamanho);
    case Tipo::Data:
        return comoData(valor);
    }
    return {};
}

QVariant Registro::ParaBanco(const Campo &campo, const QVariant &valor)
{
    if (campo.tipo != Tipo::Data || valor.isNull())
        return valor;
    return valor.toDate().toString(Qt::ISODate);
}

QVariant Registro::DoBanco(const Campo &campo, const QVariant &valor)
{
    if (valor.isNull())
        return Converte(campo, QVariant());
    switch (campo.tipo) {
    case Tipo::Inteiro:
        return valor.toLongLong();
    case Tipo::Decimal:
        return valor.toDouble();
    case Tipo::Texto:
        return valor.toString();
    case Tipo::Data:
        return QDate::fromString(valor.toString(), Qt::ISODate);
    }
    return valor;
}
