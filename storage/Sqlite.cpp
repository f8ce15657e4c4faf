#include "Sqlite.h"

#include "Registro.h"

#include <QDate>
#include <QSqlDriver>

namespace sqlite {

sqlite3 *Conexao(const QSqlDatabase &banco)
{
    if (!banco.isOpen() || !banco.driver())
        return nullptr;
    const QVariant alca = banco.driver()->handle();
    if (!alca.isValid() || qstrcmp(alca.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(alca.constData());
}

int Liga(sqlite3_stmt *comando, int posicao, const esquema::Campo &campo, const QVariant &valor)
{
    if (valor.isNull())
        return sqlite3_bind_null(comando, posicao);
    switch (campo.tipo) {
    case esquema::Tipo::Inteiro:
        return sqlite3_bind_int64(comando, posicao, valor.toLongLong());
    case esquema::Tipo::Decimal:
        return sqlite3_bind_double(comando, posicao, valor.toDouble());
    case esquema::Tipo::Texto: {
        const QString texto = valor.toString();
        return sqlite3_bind_text16(comando, posicao, texto.utf16(), int(texto.size() * 2), SQLITE_TRANSIENT);
    }
    case esquema::Tipo::Data: {
        const QByteArray texto = valor.toDate().toString(Qt::ISODate).toLatin1();
        return sqlite3_bind_text(comando, posicao, texto.constData(), int(texto.size()), SQLITE_TRANSIENT);
    }
    }
    return SQLITE_MISUSE;
}

QVariant Le(sqlite3_stmt *comando, int coluna, const esquema::Campo &campo)
{
    const int tipo = sqlite3_column_type(comando, coluna);
    if (tipo == SQLITE_NULL)
        return Registro::Converte(campo, QVariant());
    switch (campo.tipo) {
    case esquema::Tipo::Inteiro:
        return qint64(sqlite3_column_int64(comando, coluna));
    case esquema::Tipo::Decimal:
        return sqlite3_column_double(comando, coluna);
    case esquema::Tipo::Texto:
    case esquema::Tipo::Data: {
        const auto *texto = static_cast<const char16_t *>(sqlite3_column_text16(comando, coluna));
        const QString lido = QString::fromUtf16(texto, sqlite3_column_bytes16(comando, coluna) / 2);
        return campo.tipo == esquema::Tipo::Texto ? QVariant(lido) : QVariant(QDate::fromString(lido, Qt::ISODate));
    }
    }
    return {};
}

} // namespace sqlite
