#include "db/Backends.h"

#include <QSqlError>
#include <QSqlQuery>

namespace db::detail {

namespace {

// Result codes of SQLite (extended codes, as the Qt driver reports them).
constexpr int kBusy = 5;
constexpr int kLocked = 6;
constexpr int kPrimaryKey = 1555;
constexpr int kUnique = 2067;

void run(QSqlDatabase& db, const ServerBackend& backend, const QString& statement) {
    QSqlQuery q(db);
    if (!q.exec(statement)) throw statementError(backend, q.lastError(), statement);
}

class SQLiteBackend : public ServerBackend {
public:
    // The database's write lock is taken at the start, so two writers queue at BEGIN (for
    // the busy timeout) instead of both reading and then one failing on its first write.
    void begin(QSqlDatabase& db) override { run(db, *this, QStringLiteral("BEGIN IMMEDIATE")); }
    void commit(QSqlDatabase& db) override { run(db, *this, QStringLiteral("COMMIT")); }
    void rollback(QSqlDatabase& db) override {
        QSqlQuery q(db);
        q.exec(QStringLiteral("ROLLBACK"));
    }
    // One writer at a time holds the whole file since BEGIN IMMEDIATE: every key is locked.
    void lockUntilTransactionEnds(QSqlDatabase&, const QString&) override {}
    Error::Kind kindOf(const QSqlError& error) const override {
        bool ok = false;
        const int code = error.nativeErrorCode().toInt(&ok);
        if (!ok) return Error::Kind::Other;
        if ((code & 0xff) == kBusy || (code & 0xff) == kLocked) return Error::Kind::Busy;
        if (code == kUnique || code == kPrimaryKey) return Error::Kind::DuplicateKey;
        return Error::Kind::Other;
    }
};

[[noreturn]] void failOpen(QSqlDatabase& db, const QString& connectionName, const QString& message) {
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName);
    throw Error(message);
}

}  // namespace

QSqlDatabase openSQLiteConnection(const QString& connectionName, const QString& path) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw Error(QStringLiteral("The SQLite driver of Qt (QSQLITE) is not installed"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    // A second client waits for the other's write to end instead of failing at once.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kLockWaitSeconds * 1000));
    if (!db.open())
        failOpen(db, connectionName, QStringLiteral("Cannot open the database file %1: %2").arg(path, db.lastError().text()));
    // SQLite reads the file lazily; a file that is no database should fail here, not in the first form.
    {
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
            const QString message = probe.lastError().text();
            probe = QSqlQuery();
            failOpen(db, connectionName, QStringLiteral("Cannot open the database file %1: %2").arg(path, message));
        }
    }
    return db;
}

std::unique_ptr<ServerBackend> sqliteBackend() { return std::make_unique<SQLiteBackend>(); }

}  // namespace db::detail
