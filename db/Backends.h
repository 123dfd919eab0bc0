#pragma once
// Internal seam between the engine and its two backends.

#include "db/Database.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QSqlError;

namespace db::detail {

// How long a statement waits for a lock another connection holds before it fails with an
// error of kind Busy: long enough for another client's save, short enough for a window.
constexpr int kLockWaitSeconds = 5;

// An index for LIKE patterns that begin with "%" on a joined text, which no ordinary index
// serves; each backend builds what it can for it.
struct SearchIndex {
    QString table, name;
    QString expression;        // translated for the backend
    QStringList columns;       // the columns the expression reads
    QStringList within;        // columns the statements pick by equality beside the pattern
    QStringList also;          // further columns the statements test
};

// While it lives, a statement that gets no answer in time has its connection cut.
class AnswerWatch {
public:
    virtual ~AnswerWatch() = default;
    // True once the time ran out and the connection was cut.
    virtual bool expired() const = 0;
};

// The types of the columns of the table description.
enum class ColumnType { Text, Double, DateTime };

// Everything a backend does its own way: transactions, a lock held until the transaction
// ends, what its errors mean, its indexes and plans, how the statements and the tables are
// written for it, its connection under faults. One object per backend, without state.
class ServerBackend {
public:
    virtual ~ServerBackend() = default;
    // Starts a transaction that is going to write.
    virtual void begin(QSqlDatabase& db) const = 0;
    virtual void commit(QSqlDatabase& db) const = 0;
    // Never throws: it runs while an error is already on its way.
    virtual void rollback(QSqlDatabase& db) const = 0;
    // Waits for, then holds, the lock named by key until the transaction ends.
    virtual void lockUntilTransactionEnds(QSqlDatabase& db, const QString& key) const = 0;
    virtual Error::Kind kindOf(const QSqlError& error) const = 0;
    // Opens the alias that the settings describe and keeps it for the process.
    virtual Database& openAlias(const QString& name, const AliasSettings& settings) const = 0;

    // Lower-case names of the text columns of every table (a text longer than its column is refused).
    virtual QString textColumnsStatement() const = 0;
    // Statements that go first when indexes are created: what they need, and a lock that keeps
    // two clients from creating the same index at once.
    virtual QStringList indexPrelude() const = 0;
    virtual QString searchIndexStatement(const SearchIndex& index) const = 0;
    // Lower-case names of the indexes of a table; nothing when the table does not exist.
    virtual std::optional<QStringList> indexNames(Database& db, const QString& table) const = 0;
    // The server's plan of a translated statement with its parameter values, as it would run on
    // a large table (a test table is small enough for a full scan to look cheaper).
    virtual QString plan(Database& db, const QString& sql, const QVariantList& values) const = 0;

    // --- how the translation and the schema write for this backend --------------------------
    // A quoted name of the statements for this backend: `written` as it stands ("name" or
    // [name]), `name` the name between its quotes.
    virtual QString quotedName(const QString& written, const QString& name) const = 0;
    // The operator that compares as LIKE did on the server the statements were written for;
    // empty when the backend's LIKE does.
    virtual QString likeOperator() const = 0;
    // The clause a LIKE gets when the statement names no escape character, so that every
    // character of the pattern stands for itself; empty when none is needed.
    virtual QString likeEscape() const = 0;
    // The type of a column of the table description.
    virtual QString columnType(ColumnType type) const = 0;
    // The function that counts the characters of a text (the checks of the text columns' widths).
    virtual QString textLengthFunction() const = 0;
    // The type a text column is read as where trailing blanks must not count (a picked column
    // that a derived table's grouping or DISTINCT sees, equality with a literal), as in the
    // blank-padded columns the statements were written for; empty when the backend's text
    // columns already ignore them.
    virtual QString paddedTextType() const = 0;

    // --- the connection under faults ---------------------------------------------------------
    // Opens the connection (again) with the settings it holds, asking the login prompt (named
    // after `alias`) only when the server wants a password it lacks or refuses the one it has.
    // Returns what the clerk is to be told of it (another database is behind the connection
    // now), or nothing.
    virtual QString reopen(QSqlDatabase& db, const QString& alias) const = 0;
    // True when the connection cannot carry a statement: not open, broken by an earlier
    // statement, or, when `idle` (no transaction runs), ended by the server since the last
    // statement, opened read-only on a file that can now be written, or on a file that was
    // since moved or removed. Asked before every statement: it costs no round trip.
    virtual bool connectionBroken(QSqlDatabase& db, bool idle) const = 0;
    // Watches one statement: with no answer within `limit`, its connection is cut. Nothing for
    // a backend whose statements wait on no server.
    virtual std::unique_ptr<AnswerWatch> watchAnswer(QSqlDatabase& db, std::chrono::milliseconds limit) const = 0;
};

const ServerBackend& sqliteBackend();
const ServerBackend& postgresBackend();
inline const ServerBackend& backendOf(Backend backend) {
    return backend == Backend::SQLite ? sqliteBackend() : postgresBackend();
}

// The server's message with the statement that failed, of the kind the backend tells.
Error statementError(const ServerBackend& backend, const QSqlError& error, const QString& sql);
// The driver's words for a failure; a driver that gives none has lost its connection.
QString reasonOf(const QSqlError& error);

// What the clerk reads when the server is out of reach; the server's words follow.
QString cannotConnectText();
QString connectionLostText();
QString noAnswerText(std::chrono::milliseconds limit);
QString reconnectText();

// Opens (creating the file when missing) an SQLite connection under a unique name.
QSqlDatabase openSQLiteConnection(const QString& connectionName, const QString& path);
// Creates the SQLite file `path` whole or not at all: `build` fills a file of its own beside
// it, which is then moved into place. Two first starts take turns through a lock file. A file
// at `path` that holds no table (left by a start an earlier version did not finish) is
// replaced; any other is kept as it is.
void createSQLiteFileWhole(const QString& path, const std::function<void(const QString& aside)>& build);
// The embedded database at `path`, created whole with its folder, the tables and the demo data
// unless a file with tables is there.
void createEmbeddedFile(const QString& path);

// Opens a PostgreSQL connection from a libpq-style connection string. When the server asks
// for a password the string does not hold, or refuses the one given, the installed login
// prompt asks (again, with the server's message); a cancel raises db::Error("Login cancelled").
QSqlDatabase openPostgresConnection(const QString& connectionName, const QString& connectionString,
                                    const QString& aliasName);
// The same connection with its settings, not yet opened (ServerBackend::reopen opens it).
QSqlDatabase addPostgresConnection(const QString& connectionName, const QString& connectionString);

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
