#pragma once
// SQLite itself, under Qt's driver, for the paths where QSqlQuery's per-value
// overhead matters: appending and reading rows by the hundred thousand.

#include "EsquemaBanco.h"

#include <QSqlDatabase>
#include <QVariant>

#include <sqlite3.h>

namespace sqlite {

// The connection under an open QSQLITE database; nullptr when closed.
sqlite3 *Conexao(const QSqlDatabase &banco);

// Binds a field's value (already of the field's type) to a parameter from 1.
int Liga(sqlite3_stmt *comando, int posicao, const esquema::Campo &campo, const QVariant &valor);

// A column of the current result row, in the field's type (null when empty).
QVariant Le(sqlite3_stmt *comando, int coluna, const esquema::Campo &campo);

} // namespace sqlite
