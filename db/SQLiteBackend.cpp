#include "db/Backends.h"

#include <QSqlError>
#include <QSqlQuery>

namespace db::detail {

namespace {

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
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
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

}  // namespace db::detail
