#pragma once
// Internal seam between the engine and its two backends.

#include "db/Database.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace db::detail {

// An index for LIKE patterns that begin with "%" on a joined text, which no ordinary index
// serves; each backend builds what it can for it.
struct SearchIndex {
    QString table, name;
    QString expression;        // translated for the backend
    QStringList columns;       // the columns the expression reads
    QStringList within;        // columns the statements pick by equality beside the pattern
    QStringList also;          // further columns the statements test
};

// What the schema and the diagnostics need that each backend does its own way.
class BackendTraits {
public:
    virtual ~BackendTraits() = default;
    // Statements that go first when indexes are created: what they need, and a lock that keeps
    // two clients from creating the same index at once.
    virtual QStringList indexPrelude() const = 0;
    virtual QString searchIndexStatement(const SearchIndex& index) const = 0;
    // Lower-case names of the indexes of a table; nothing when the table does not exist.
    virtual std::optional<QStringList> indexNames(Database& db, const QString& table) const = 0;
    // The server's plan of a translated statement with its parameter values, as it would run on
    // a large table (a test table is small enough for a full scan to look cheaper).
    virtual QString plan(Database& db, const QString& sql, const QVariantList& values) const = 0;
};

const BackendTraits& sqliteTraits();
const BackendTraits& postgresTraits();
inline const BackendTraits& traitsOf(Backend backend) {
    return backend == Backend::SQLite ? sqliteTraits() : postgresTraits();
}

// Opens (creating the file when missing) an SQLite connection under a unique name.
QSqlDatabase openSQLiteConnection(const QString& connectionName, const QString& path);

// Opens a PostgreSQL connection from a libpq-style connection string. When the server asks
// for a password the string does not hold, or refuses the one given, the installed login
// prompt asks (again, with the server's message); a cancel raises db::Error("Login cancelled").
QSqlDatabase openPostgresConnection(const QString& connectionName, const QString& connectionString,
                                    const QString& aliasName);

// The DDL of every table, index and key, for one backend.
QStringList schemaStatements(Backend backend);
// The indexes of the schema that the database lacks, with what they need first; empty when
// none is missing (tables that do not exist are left to the schema's creation).
QStringList missingIndexStatements(Database& db);
// The demo master data (plain INSERT statements, valid on both backends).
QStringList demoStatements();

// The start of a statement on one line, for error messages.
QString statementExcerpt(const QString& sql);

}  // namespace db::detail
