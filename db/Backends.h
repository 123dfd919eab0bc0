#pragma once
// Internal seam between the engine and its two backends.

#include "db/Database.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace db::detail {

// Opens (creating the file when missing) an SQLite connection under a unique name.
QSqlDatabase openSQLiteConnection(const QString& connectionName, const QString& path);

// Opens a PostgreSQL connection from a libpq-style connection string. When the server asks
// for a password the string does not hold, or refuses the one given, the installed login
// prompt asks (again, with the server's message); a cancel raises db::Error("Login cancelled").
QSqlDatabase openPostgresConnection(const QString& connectionName, const QString& connectionString,
                                    const QString& aliasName);

// The DDL of every table, index and key, for one backend.
QStringList schemaStatements(Backend backend);
// The demo master data (plain INSERT statements, valid on both backends).
QStringList demoStatements();

// The start of a statement on one line, for error messages.
QString statementExcerpt(const QString& sql);

}  // namespace db::detail
