#include "db/Backends.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

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


constexpr char kReadOnly[] = "QSQLITE_OPEN_READONLY";

// False for a file this user may not write, and for one whose owner took every write
// permission away (root could write past that). Such a file is opened read-only and, once
// writable, opened anew: a connection SQLite opened read-only stays so until it is closed.
// A file that does not exist yet is writable: it is created.
bool writable(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat file {};
    if (::stat(name.constData(), &file) != 0) return true;
    return (file.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(name.constData(), W_OK) == 0;
}

bool openedReadOnly(const QSqlDatabase& db) {
    return db.connectOptions().contains(QLatin1String(kReadOnly));
}

// The handle of SQLite's library behind an open connection; null without one.
sqlite3* handleOf(const QSqlDatabase& db) {
    const QVariant handle = db.isOpen() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

// True when the file the connection has open is no longer the one at its path: another file
// was moved onto the path, or it was removed. SQLite compares the two with a stat.
bool moved(const QSqlDatabase& db) {
    sqlite3* handle = handleOf(db);
    int result = 0;
    return handle && sqlite3_file_control(handle, "main", SQLITE_FCNTL_HAS_MOVED, &result) == SQLITE_OK && result != 0;
}

QString replacedText(const QString& path) {
    return QStringLiteral("데이터베이스 파일이 다른 파일로 바뀌어 그 파일을 다시 열었습니다: %1....").arg(path);
}

QString recreatedText(const QString& path) {
    return QStringLiteral("데이터베이스 파일이 없어져 처음 시작할 때처럼 새로 만들어 열었습니다: %1....").arg(path);
}

// Opens the file the connection names and sets it up; throws why it cannot.
void openFile(QSqlDatabase& db) {
    const QString path = db.databaseName();
    // A second client waits for the other's write to end instead of failing at once.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kLockWaitSeconds * 1000);
    if (!writable(path)) options += QLatin1Char(';') + QLatin1String(kReadOnly);
    db.setConnectOptions(options);
    if (!db.open()) throw Error(QStringLiteral("Cannot open the database file %1: %2").arg(path, db.lastError().text()));
    QSqlQuery q(db);
    // SQLite reads the file lazily; a file that is no database should fail here, not in the first form.
    if (!q.exec(QStringLiteral("select count(*) from sqlite_master"))) {
        const QString message = q.lastError().text();
        q = QSqlQuery();
        db.close();
        throw Error(QStringLiteral("Cannot open the database file %1: %2").arg(path, message));
    }
    // Write-ahead log: readers never wait for a writer, and a commit writes the log alone; a file
    // of an earlier version switches here (a file that cannot switch, being read-only, works on).
    // Synchronous writes keep a stored voucher through a power cut. No memory map: a read error
    // of the disk is then an error of the statement, not a signal that ends the program. The
    // page cache keeps what the grid and the lookups read again.
    for (const char* pragma : {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = FULL", "PRAGMA mmap_size = 0",
                               "PRAGMA cache_size = -65536"})
        q.exec(QString::fromLatin1(pragma));
}

}  // namespace

QSqlDatabase openSQLiteConnection(const QString& connectionName, const QString& path) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw Error(QStringLiteral("The SQLite driver of Qt (QSQLITE) is not installed"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    try {
        openFile(db);
    } catch (const Error&) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw;
    }
    return db;
}

// --- the embedded file, whole or not at all -------------------------------------------------------

namespace {

// True when the file holds no table or view: an empty file, or one whose creation never committed.
bool holdsNothing(const QString& path) {
    static std::atomic<int> probes{0};
    const QString name = QStringLiteral("dbengine-probe-%1").arg(++probes);
    bool empty = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kLockWaitSeconds * 1000));
        if (db.open()) {
            QSqlQuery q(db);
            empty = q.exec(QStringLiteral("select count(*) from sqlite_master")) && q.next() && q.value(0).toInt() == 0;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return empty;
}

void removeWithCompanions(const QString& file) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(file + QLatin1String(suffix));
}

// A rename reaches the disk with the folder that lists it.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void createSQLiteFileWhole(const QString& path, const std::function<void(const QString& aside)>& build) {
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(60000))
        throw Error(QStringLiteral("Cannot create the database file %1: another program keeps %2 locked").arg(path, path + QStringLiteral(".lock")));
    if (QFileInfo::exists(path) && !holdsNothing(path)) return;
    // What an interrupted creation left is nobody's while the lock is held.
    const QString aside = path + QStringLiteral(".new");
    removeWithCompanions(aside);
    try {
        build(aside);
    } catch (...) {
        removeWithCompanions(aside);
        throw;
    }
    if (std::rename(QFile::encodeName(aside).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        removeWithCompanions(aside);
        throw Error(QStringLiteral("Cannot move the new database file into place as %1: %2").arg(path, reason));
    }
    syncFolder(QFileInfo(path).absolutePath());
}

namespace {

QSqlQuery run(Database& db, const QString& sql, const QVariantList& values) {
    return db.run(sql, values);
}

// Writes the log into the file and empties it; false when a reader of another connection kept
// it from finishing. A file without a log has nothing to do.
bool checkpointed(QSqlDatabase& db) {
    QSqlQuery q(db);
    return q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")) && q.next() && q.value(0).toInt() == 0;
}

// The file of an alias is created where it is missing only as a first start would create it:
// the embedded database; any other is an error.
void createInPlace(const QString& path, const QString& alias) {
    const bool embedded = !alias.isEmpty() && [&] {
        const AliasSettings settings = Database::settingsFor(alias);
        return settings.embedded && settings.sqlitePath == path;
    }();
    if (!embedded) throw Error(QStringLiteral("The database file %1 does not exist").arg(path));
    createEmbeddedFile(path);
}

class SQLiteBackend final : public ServerBackend {
public:
    // The database's write lock is taken at the start, so two writers queue at BEGIN (for
    // the busy timeout) instead of both reading and then one failing on its first write.
    void begin(QSqlDatabase& db) const override { run(db, *this, QStringLiteral("BEGIN IMMEDIATE")); }
    void commit(QSqlDatabase& db) const override { run(db, *this, QStringLiteral("COMMIT")); }
    void rollback(QSqlDatabase& db) const override {
        QSqlQuery q(db);
        q.exec(QStringLiteral("ROLLBACK"));
    }
    // One writer at a time holds the whole file since BEGIN IMMEDIATE: every key is locked.
    void lockUntilTransactionEnds(QSqlDatabase&, const QString&) const override {}
    Error::Kind kindOf(const QSqlError& error) const override {
        bool ok = false;
        const int code = error.nativeErrorCode().toInt(&ok);
        if (!ok) return Error::Kind::Other;
        if ((code & 0xff) == kBusy || (code & 0xff) == kLocked) return Error::Kind::Busy;
        if (code == kUnique || code == kPrimaryKey) return Error::Kind::DuplicateKey;
        return Error::Kind::Other;
    }

    Database& openAlias(const QString& name, const AliasSettings& settings) const override {
        return Database::openFileAlias(name, settings);
    }

    QString textColumnsStatement() const override {
        return QStringLiteral(
            "select distinct lower(p.name) from sqlite_master m, pragma_table_info(m.name) p "
            "where m.type in ('table', 'view') and (upper(p.type) like '%CHAR%' or upper(p.type) like '%TEXT%' "
            "or upper(p.type) like '%CLOB%')");
    }

    // The script's transaction begins immediate: one client at a time writes the schema.
    QStringList indexPrelude() const override { return {}; }

    // No index serves a pattern that begins with "%". An index that begins with the equality
    // columns and holds every column the statements test lets them scan the index entries of
    // their side and entry form and read only the matching rows of the table.
    QString searchIndexStatement(const SearchIndex& index) const override {
        return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
            .arg(index.name, index.table, (index.within + index.columns + index.also).join(QStringLiteral(", ")));
    }

    std::optional<QStringList> indexNames(Database& db, const QString& table) const override {
        QSqlQuery q = run(db, QStringLiteral("select type, lower(name) from sqlite_master where tbl_name = ? collate nocase"), {table});
        bool exists = false;
        QStringList names;
        while (q.next()) {
            if (q.value(0).toString() == QLatin1String("table")) exists = true;
            if (q.value(0).toString() == QLatin1String("index")) names << q.value(1).toString();
        }
        if (!exists) return std::nullopt;
        return names;
    }

    // Without statistics the planner takes every table for a large one.
    QString plan(Database& db, const QString& sql, const QVariantList& values) const override {
        QSqlQuery q = run(db, QStringLiteral("EXPLAIN QUERY PLAN ") + sql, values);
        QStringList lines;
        while (q.next()) lines << q.value(3).toString();
        return lines.join(QLatin1Char('\n'));
    }

    // --- how the translation and the schema write for SQLite ---------------------------------
    // SQLite reads both quotings as the statements write them.
    QString quotedName(const QString& written, const QString&) const override { return written; }
    // SQLite's LIKE ignores the case of Latin letters as the original server did, and takes no
    // escape character unless the statement names one.
    QString likeOperator() const override { return {}; }
    QString likeEscape() const override { return {}; }

    QString columnType(ColumnType type) const override {
        switch (type) {
        case ColumnType::Text:
            // Trailing blanks do not count when texts are compared, as on the fixed-width original.
            return QStringLiteral("TEXT COLLATE RTRIM");
        case ColumnType::Double:
            return QStringLiteral("REAL");
        case ColumnType::DateTime:
            return QStringLiteral("DATETIME");
        }
        return {};
    }
    QString textLengthFunction() const override { return QStringLiteral("length"); }
    // The text columns collate RTRIM.
    QString paddedTextType() const override { return {}; }

    // --- the connection under faults: a file on a local disk, no server to wait for ------------
    QString reopen(QSqlDatabase& db, const QString& alias) const override {
        const QString path = db.databaseName();
        const bool replaced = moved(db);
        // The moved file's log stays beside the path, where the file now there would read it
        // as its own: it is emptied into the moved file first, or the file is not switched.
        if (replaced && !checkpointed(db))
            throw Error(QStringLiteral("데이터베이스 파일이 바뀌었지만 다른 연결이 쓰고 있어 아직 다시 열 수 없습니다: %1. "
                                       "다음 작업 때 다시 엽니다.")
                            .arg(path));
        db.close();
        const bool recreated = !QFileInfo::exists(path);
        if (recreated) createInPlace(path, alias);
        openFile(db);
        if (recreated) return recreatedText(path);
        return replaced ? replacedText(path) : QString();
    }
    // A file opened read-only is opened again, between transactions, once it is writable; one
    // that was moved or removed, to open the file at its path.
    bool connectionBroken(QSqlDatabase& db, bool idle) const override {
        return !db.isOpen() || (idle && ((openedReadOnly(db) && writable(db.databaseName())) || moved(db)));
    }
    std::unique_ptr<AnswerWatch> watchAnswer(QSqlDatabase&, std::chrono::milliseconds) const override { return nullptr; }
};

}  // namespace

const ServerBackend& sqliteBackend() {
    static const SQLiteBackend backend;
    return backend;
}

}  // namespace db::detail
