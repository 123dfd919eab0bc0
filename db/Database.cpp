#include "db/Database.h"

#include "db/Backends.h"
#include "db/Dialect.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <map>

namespace db {

namespace {

struct Registry {
    std::map<QString, std::unique_ptr<Database>> aliases;  // by lower-case alias name
    LoginPrompt loginPrompt;
    bool cleanupRegistered = false;
};

Registry& registry() {
    static Registry r;
    return r;
}

// The connections must go before Qt's SQL plugins are unloaded at the end of the application.
void registerCleanup() {
    Registry& r = registry();
    if (r.cleanupRegistered || !QCoreApplication::instance()) return;
    qAddPostRoutine([] { Database::closeAll(); });
    r.cleanupRegistered = true;
}

QString nextConnectionName() {
    static int counter = 0;
    return QStringLiteral("dbengine-%1").arg(++counter);
}

}  // namespace

// --- aliases ----------------------------------------------------------------------------------

QString Database::configFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/dbengine/aliases.ini");
}

QString Database::defaultSQLitePath(const QString& aliasName) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/dbengine/") + aliasName +
           QStringLiteral(".sqlite");
}

AliasSettings Database::settingsFor(const QString& name) {
    QSettings ini(configFilePath(), QSettings::IniFormat);
    QString group;
    for (const QString& g : ini.childGroups())
        if (g.compare(name, Qt::CaseInsensitive) == 0) group = g;
    AliasSettings s;
    if (group.isEmpty()) {
        if (name.compare(QStringLiteral("Account"), Qt::CaseInsensitive) != 0)
            throw Error(QStringLiteral("Unknown database alias \"%1\": it is not named in %2").arg(name, configFilePath()));
        s.backend = Backend::SQLite;
        s.sqlitePath = defaultSQLitePath(QStringLiteral("Account"));
        return s;
    }
    ini.beginGroup(group);
    const QString driver = ini.value(QStringLiteral("driver")).toString().trimmed().toLower();
    if (driver == QLatin1String("sqlite")) {
        s.backend = Backend::SQLite;
        s.sqlitePath = ini.value(QStringLiteral("path")).toString();
        if (s.sqlitePath.isEmpty())
            throw Error(QStringLiteral("The database alias \"%1\" in %2 names no path").arg(name, configFilePath()));
    } else if (driver == QLatin1String("postgresql")) {
        s.backend = Backend::PostgreSQL;
        // A value with commas comes back as a list from an INI file.
        const QVariant v = ini.value(QStringLiteral("connection"));
        s.connectionString = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
    } else {
        throw Error(QStringLiteral("The database alias \"%1\" in %2 has the driver \"%3\"; it must be sqlite or postgresql")
                        .arg(name, configFilePath(), driver));
    }
    return s;
}

Database& Database::alias(const QString& name) {
    Registry& r = registry();
    const QString key = name.toLower();
    const auto found = r.aliases.find(key);
    if (found != r.aliases.end()) return *found->second;

    const AliasSettings s = settingsFor(name);
    std::unique_ptr<Database> db;
    if (s.backend == Backend::PostgreSQL) {
        db = std::unique_ptr<Database>(new Database(Backend::PostgreSQL, nextConnectionName()));
        db->db_ = detail::openPostgresConnection(db->connectionName_, s.connectionString, name);
    } else if (QFileInfo::exists(s.sqlitePath)) {
        db = openSQLite(s.sqlitePath);
    } else if (s.sqlitePath == defaultSQLitePath(QStringLiteral("Account"))) {
        db = createEmbedded(s.sqlitePath);
    } else {
        throw Error(QStringLiteral("The database file %1 of the alias \"%2\" does not exist").arg(s.sqlitePath, name));
    }
    // A database of an earlier version gets this version's indexes; without them it still works,
    // only slower, so a refusal (a clerk who does not own the tables) is no reason to stop.
    try {
        db->addMissingIndexes();
    } catch (const Error& e) {
        qWarning("The indexes of the database alias \"%s\" could not be added: %s", qUtf8Printable(name),
                 qUtf8Printable(e.message()));
    }
    Database& result = *db;
    r.aliases[key] = std::move(db);
    registerCleanup();
    return result;
}

// The embedded database of the first start: tables and demo data in one go, or no file at all.
std::unique_ptr<Database> Database::createEmbedded(const QString& path) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw Error(QStringLiteral("Cannot create the folder of the database file %1").arg(path));
    try {
        return openSQLite(path, true);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

void Database::closeAll() {
    // Moved out first: a destructor must not see a half-cleared map.
    auto gone = std::move(registry().aliases);
    registry().aliases.clear();
}

void Database::forget(const QString& aliasName) {
    std::unique_ptr<Database> gone;
    auto& aliases = registry().aliases;
    const auto found = aliases.find(aliasName.toLower());
    if (found == aliases.end()) return;
    gone = std::move(found->second);
    aliases.erase(found);
}

void Database::setLoginPrompt(LoginPrompt prompt) {
    registry().loginPrompt = std::move(prompt);
}

const LoginPrompt& Database::loginPrompt() {
    return registry().loginPrompt;
}

void Database::adopt(const QString& aliasName, std::unique_ptr<Database> database) {
    if (!database) throw Error(QStringLiteral("No database given for the alias \"%1\"").arg(aliasName));
    std::unique_ptr<Database> previous;
    auto& slot = registry().aliases[aliasName.toLower()];
    previous = std::move(slot);
    slot = std::move(database);
    registerCleanup();
}

// --- direct connections -------------------------------------------------------------------------

std::unique_ptr<Database> Database::openSQLite(const QString& path, bool createSchemaAndDemo) {
    std::unique_ptr<Database> db(new Database(Backend::SQLite, nextConnectionName()));
    db->db_ = detail::openSQLiteConnection(db->connectionName_, path);
    if (createSchemaAndDemo) db->executeScript(detail::schemaStatements(Backend::SQLite) + detail::demoStatements());
    return db;
}

std::unique_ptr<Database> Database::openPostgres(const QString& connectionString) {
    std::unique_ptr<Database> db(new Database(Backend::PostgreSQL, nextConnectionName()));
    db->db_ = detail::openPostgresConnection(db->connectionName_, connectionString, QString());
    return db;
}

Database::Database(Backend backend, QString connectionName)
    : backend_(backend),
      server_(&detail::backendOf(backend)),
      connectionName_(std::move(connectionName)),
      translations_(std::make_unique<TranslationCache>()) {}

Database::~Database() {
    if (db_.isValid()) {
        if (inTransaction_) server_->rollback(db_);
        db_.close();
    }
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

// --- scripts and schema -----------------------------------------------------------------------

void Database::exec(const QString& statement) {
    QSqlQuery q(db_);
    if (!q.exec(statement)) throw detail::statementError(*server_, q.lastError(), statement);
}

void Database::executeScript(const QStringList& statements) {
    Transaction t(*this);
    for (const QString& s : statements) exec(s);
    t.commit();
    textColumns_.reset();
    translations_->clear();
}

void Database::createSchema() {
    executeScript(detail::schemaStatements(backend_));
}

void Database::loadDemoData() {
    executeScript(detail::demoStatements());
}

void Database::addMissingIndexes() {
    const QStringList statements = detail::missingIndexStatements(*this);
    if (!statements.isEmpty()) executeScript(statements);
}

Translation Database::translation(const QString& statement) {
    return translations_->get(statement, backend_, textColumns());
}

bool Database::hasTable(const QString& table) {
    for (const QString& t : db_.tables())
        if (t.compare(table, Qt::CaseInsensitive) == 0) return true;
    return false;
}

const QStringList& Database::textColumns() {
    if (textColumns_) return *textColumns_;
    QStringList columns;
    QSqlQuery q(db_);
    if (!q.exec(server_->textColumnsStatement()))
        throw Error(QStringLiteral("Cannot read the columns of the tables: %1").arg(q.lastError().text()));
    while (q.next()) columns << q.value(0).toString();
    textColumns_ = columns;
    return *textColumns_;
}

// --- transactions -----------------------------------------------------------------------------

void Database::begin() {
    if (inTransaction_) throw Error(QStringLiteral("A transaction is already running on this connection"));
    server_->begin(db_);
    inTransaction_ = true;
}

void Database::commit() {
    if (!inTransaction_) throw Error(QStringLiteral("No transaction to commit"));
    try {
        server_->commit(db_);
    } catch (const Error&) {
        rollback();
        throw;
    }
    inTransaction_ = false;
}

void Database::rollback() {
    if (!inTransaction_) return;
    inTransaction_ = false;
    server_->rollback(db_);
}

void Database::lockUntilTransactionEnds(const QString& key) {
    if (!inTransaction_) throw Error(QStringLiteral("The lock \"%1\" needs a running transaction").arg(key));
    server_->lockUntilTransactionEnds(db_, key);
}

Error::Kind Database::errorKind(const QSqlError& error) const { return server_->kindOf(error); }

Transaction::Transaction(Database& db) : db_(db) {
    db_.begin();
}

Transaction::~Transaction() {
    if (!done_) db_.rollback();
}

void Transaction::commit() {
    db_.commit();
    done_ = true;
}

namespace detail {

Error statementError(const ServerBackend& backend, const QSqlError& error, const QString& sql) {
    return Error(QStringLiteral("%1\nin: %2").arg(error.text().trimmed(), statementExcerpt(sql)), backend.kindOf(error));
}

}  // namespace detail

}  // namespace db
