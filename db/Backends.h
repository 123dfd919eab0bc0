#pragma once
// Internal seam between the engine and its two backends.

#include "db/Database.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>

class QSqlError;

namespace db::detail {

// How long a statement waits for a lock another connection holds before it fails with an
// error of kind Busy: long enough for another client's save, short enough for a window.
constexpr int kLockWaitSeconds = 5;

// What a backend does its own way on an open connection: transactions, a lock held until
// the transaction ends, and what its errors mean.
class ServerBackend {
public:
    virtual ~ServerBackend() = default;
    // Starts a transaction that is going to write.
    virtual void begin(QSqlDatabase& db) = 0;
    virtual void commit(QSqlDatabase& db) = 0;
    // Never throws: it runs while an error is already on its way.
    virtual void rollback(QSqlDatabase& db) = 0;
    // Waits for, then holds, the lock named by key until the transaction ends.
    virtual void lockUntilTransactionEnds(QSqlDatabase& db, const QString& key) = 0;
    virtual Error::Kind kindOf(const QSqlError& error) const = 0;
};

std::unique_ptr<ServerBackend> sqliteBackend();
std::unique_ptr<ServerBackend> postgresBackend();

// The server's message with the statement that failed, of the kind the backend tells.
Error statementError(const ServerBackend& backend, const QSqlError& error, const QString& sql);

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
