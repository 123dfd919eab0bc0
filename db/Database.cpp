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
#include <atomic>
#include <map>

namespace db {

namespace {

struct Registry {
    std::map<QString, std::unique_ptr<Database>> aliases;  // by lower-case alias name
    LoginPrompt loginPrompt;
    Notice notice;
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
    static std::atomic<int> counter{0};
    return QStringLiteral("dbengine-%1").arg(++counter);
}

}  // namespace

// --- actions ----------------------------------------------------------------------------------

namespace {

thread_local int actionDepth = 0;
thread_local quint64 actionCount = 0;

// The action running on this thread; 0 outside any.
quint64 currentAction() {
    return actionDepth > 0 ? actionCount : 0;
}

}  // namespace

Action::Action() {
    if (actionDepth++ == 0) ++actionCount;
}

Action::~Action() {
    --actionDepth;
}

// --- aliases ----------------------------------------------------------------------------------

namespace {

bool isAccount(const QString& aliasName) {
    return aliasName.compare(QStringLiteral("Account"), Qt::CaseInsensitive) == 0;
}

// The sections of the alias file, as a clerk would look for them in it.
QString sectionsOf(const QSettings& ini) {
    QStringList sections;
    for (const QString& group : ini.childGroups()) sections << QLatin1Char('[') + group + QLatin1Char(']');
    return sections.isEmpty() ? QStringLiteral("없음") : sections.join(QStringLiteral(", "));
}

}  // namespace

QString Database::configFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/dbengine/aliases.ini");
}

QString Database::defaultSQLitePath(const QString& aliasName) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/dbengine/") + aliasName +
           QStringLiteral(".sqlite");
}

// The embedded default serves "Account" only when there is no alias file at all, or when its
// [Account] asks for it (driver=sqlite without a path): a file that exists means a choice was
// made, and a typo in it must not put the clerk's vouchers on a local disk unnoticed.
AliasSettings Database::settingsFor(const QString& name) {
    const QString file = configFilePath();
    AliasSettings s;
    if (!QFileInfo::exists(file)) {
        if (!isAccount(name)) throw AliasError(QStringLiteral("Unknown database alias \"%1\": it is not named in %2").arg(name, file));
        s.sqlitePath = defaultSQLitePath(QStringLiteral("Account"));
        s.embedded = true;
        return s;
    }
    QSettings ini(file, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) throw AliasError(QStringLiteral("데이터베이스 별칭 파일을 읽을 수 없습니다: %1").arg(file));
    QString group;
    for (const QString& g : ini.childGroups())
        if (g.compare(name, Qt::CaseInsensitive) == 0) group = g;
    if (group.isEmpty()) {
        if (isAccount(name))
            throw AliasError(QStringLiteral("데이터베이스 별칭 파일에 [Account] 구역이 없습니다: %1\n파일에 있는 구역: %2")
                                 .arg(file, sectionsOf(ini)));
        throw AliasError(QStringLiteral("Unknown database alias \"%1\": it is not named in %2").arg(name, file));
    }
    ini.beginGroup(group);
    const QString driver = ini.value(QStringLiteral("driver")).toString().trimmed().toLower();
    if (driver == QLatin1String("sqlite")) {
        s.backend = Backend::SQLite;
        s.sqlitePath = ini.value(QStringLiteral("path")).toString();
        if (s.sqlitePath.isEmpty() && isAccount(name)) {
            s.sqlitePath = defaultSQLitePath(QStringLiteral("Account"));
            s.embedded = true;
        }
        if (s.sqlitePath.isEmpty()) throw AliasError(QStringLiteral("The database alias \"%1\" in %2 names no path").arg(name, file));
    } else if (driver == QLatin1String("postgresql")) {
        s.backend = Backend::PostgreSQL;
        // A value with commas comes back as a list from an INI file.
        const QVariant v = ini.value(QStringLiteral("connection"));
        s.connectionString = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
        if (s.connectionString.trimmed().isEmpty())
            throw AliasError(QStringLiteral("The database alias \"%1\" in %2 names no connection").arg(name, file));
    } else {
        throw AliasError(QStringLiteral("The database alias \"%1\" in %2 has the driver \"%3\"; it must be sqlite or postgresql")
                             .arg(name, file, driver));
    }
    return s;
}

namespace {

// A database of an earlier version gets this version's indexes; without them it still works,
// only slower, so a refusal (a clerk who does not own the tables) is no reason to stop.
void addMissingIndexesOf(Database& db, const QString& aliasName) {
    try {
        db.addMissingIndexes();
    } catch (const Error& e) {
        qWarning("The indexes of the database alias \"%s\" could not be added: %s", qUtf8Printable(aliasName),
                 qUtf8Printable(e.message()));
    }
}

}  // namespace

Database& Database::alias(const QString& name) {
    Registry& r = registry();
    const QString key = name.toLower();
    const auto found = r.aliases.find(key);
    if (found != r.aliases.end()) {
        Database& known = *found->second;
        // A server connection that never opened, or broke, is tried again by a later action.
        if (known.broken_) known.makeReady();
        return known;
    }

    const AliasSettings s = settingsFor(name);
    return detail::backendOf(s.backend).openAlias(name, s);
}

Database& Database::openFileAlias(const QString& name, const AliasSettings& s) {
    std::unique_ptr<Database> db;
    if (s.embedded) {
        db = openEmbedded(s.sqlitePath);
    } else if (QFileInfo::exists(s.sqlitePath)) {
        db = openSQLite(s.sqlitePath);
    } else {
        throw AliasError(QStringLiteral("The database file %1 of the alias \"%2\" does not exist").arg(s.sqlitePath, name));
    }
    db->aliasName_ = name;
    addMissingIndexesOf(*db, name);
    Database& result = *db;
    registry().aliases[name.toLower()] = std::move(db);
    registerCleanup();
    return result;
}

// Known to the registry before it connects: a server that cannot be reached is remembered as
// the reason of this action, and a later action tries again.
Database& Database::openServerAlias(const QString& aliasName, const AliasSettings& settings) {
    std::unique_ptr<Database> db(new Database(Backend::PostgreSQL, nextConnectionName()));
    db->aliasName_ = aliasName;
    try {
        db->db_ = detail::addPostgresConnection(db->connectionName_, settings.connectionString);
    } catch (const Error& e) {
        throw AliasError(e.message());
    }
    Database& result = *db;
    registry().aliases[aliasName.toLower()] = std::move(db);
    registerCleanup();
    result.reopen();
    addMissingIndexesOf(result, aliasName);
    return result;
}

// The embedded database: a file without any table is what a first start of an earlier version
// left when it was stopped while it created the tables; it holds nothing and is made again.
std::unique_ptr<Database> Database::openEmbedded(const QString& path) {
    if (QFileInfo::exists(path)) {
        std::unique_ptr<Database> db = openSQLite(path);
        if (!db->handle().tables(QSql::TableType(QSql::Tables | QSql::Views)).isEmpty()) return db;
    }
    detail::createEmbeddedFile(path);
    return openSQLite(path);
}

void detail::createEmbeddedFile(const QString& path) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw Error(QStringLiteral("Cannot create the folder of the database file %1").arg(path));
    createSQLiteFileWhole(path, [](const QString& aside) { Database::openSQLite(aside, true); });
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

void Database::setNotice(Notice notice) {
    registry().notice = std::move(notice);
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
        rollback();
        db_.close();
    }
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

// --- the connection under faults ----------------------------------------------------------------

void Database::makeReady() {
    const bool idle = !inTransaction_;
    if (!broken_) {
        if (!server_->connectionBroken(db_, idle)) return;
        // Lost since the last statement: a transaction's work is gone with it; outside one,
        // nothing of this action went over it yet, so it is opened again at once.
        if (!idle) {
            markBroken(lost(QString(), false));
            throw broken_->reason;
        }
    } else if (!idle || (broken_->action != 0 && broken_->action == currentAction())) {
        throw broken_->reason;
    }
    reopen();
}

void Database::reopen() {
    QString notice;
    try {
        notice = server_->reopen(db_, aliasName_);
    } catch (const Error& e) {
        markBroken(e);
        throw;
    }
    broken_.reset();
    if (notice.isEmpty()) return;
    // Another database is behind the connection: its columns are read again.
    textColumns_.reset();
    translations_->clear();
    if (registry().notice) registry().notice(notice);
}

void Database::markBroken(const Error& reason) {
    broken_.emplace(Broken{reason, currentAction()});
}

// The reason first, then the server's words; a connection this side cut has none (the
// driver's are about the cut), only the statement.
Error Database::lost(const QString& words, bool cut) const {
    const QString lostText = detail::connectionLostText();
    QString text = (cut ? detail::noAnswerText(answerLimit_) : lostText) + QLatin1Char(' ') + detail::reconnectText();
    QString rest = words.trimmed();
    if (cut) {
        const int statement = rest.lastIndexOf(QLatin1String("\nin: "));
        rest = statement < 0 ? QString() : rest.mid(statement + 1);
    }
    if (rest.startsWith(lostText)) rest = rest.mid(lostText.size()).trimmed();
    if (!rest.isEmpty()) text += QLatin1Char('\n') + rest;
    return Error(text, Error::Kind::ConnectionLost);
}

Database::Statement::Statement(Database& database, Bound bound) : database_(database) {
    database_.makeReady();
    if (bound == Bound::Answer) watch_ = database_.server_->watchAnswer(database_.db_, database_.answerLimit_);
}

Database::Statement::~Statement() {
    // An answer that came as the time ran out: the connection is cut all the same.
    if (cut() && !database_.broken_) database_.markBroken(database_.lost(QString(), true));
}

bool Database::Statement::cut() const {
    return watch_ && watch_->expired();
}

Error Database::Statement::failed(const Error& error) {
    const bool cutNow = cut();
    if (!cutNow && !database_.server_->connectionBroken(database_.db_, false)) return error;
    Error reason = database_.lost(error.message(), cutNow);
    database_.markBroken(reason);
    return reason;
}

QSqlQuery Database::run(const QString& sql, const QVariantList& values) {
    return guarded([&] {
        QSqlQuery q(db_);
        bool ok = false;
        if (values.isEmpty()) {
            ok = q.exec(sql);
        } else {
            ok = q.prepare(sql);
            for (const QVariant& v : values) q.addBindValue(v);
            ok = ok && q.exec();
        }
        if (!ok) throw detail::statementError(*server_, q.lastError(), sql);
        return q;
    });
}

// --- scripts and schema -----------------------------------------------------------------------

void Database::exec(const QString& statement) {
    guarded(
        [&] {
            QSqlQuery q(db_);
            if (!q.exec(statement)) throw detail::statementError(*server_, q.lastError(), statement);
        },
        Statement::Bound::None);
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
    const QStringList tables = guarded([&] { return db_.tables(); });
    for (const QString& t : tables)
        if (t.compare(table, Qt::CaseInsensitive) == 0) return true;
    return false;
}

const QStringList& Database::textColumns() {
    if (textColumns_) return *textColumns_;
    QStringList columns;
    QSqlQuery q = run(server_->textColumnsStatement());
    while (q.next()) columns << q.value(0).toString();
    textColumns_ = columns;
    return *textColumns_;
}

// --- transactions -----------------------------------------------------------------------------

void Database::begin() {
    if (inTransaction_) throw Error(QStringLiteral("A transaction is already running on this connection"));
    guarded([&] { server_->begin(db_); });
    inTransaction_ = true;
}

void Database::commit() {
    if (!inTransaction_) throw Error(QStringLiteral("No transaction to commit"));
    try {
        Statement statement(*this);
        try {
            server_->commit(db_);
        } catch (const Error& e) {
            const Error reason = statement.failed(e);
            if (reason.kind() == Error::Kind::ConnectionLost) throw CommitUnanswered(reason.message());
            throw reason;
        }
    } catch (const Error&) {
        rollback();
        throw;
    }
    inTransaction_ = false;
}

// Bounded like a statement, and never throws: it runs while an error is on its way.
void Database::rollback() {
    if (!inTransaction_) return;
    inTransaction_ = false;
    // The server ends the transaction of a connection that ended.
    if (broken_ || server_->connectionBroken(db_, false)) return;
    const std::unique_ptr<detail::AnswerWatch> watch = server_->watchAnswer(db_, answerLimit_);
    server_->rollback(db_);
    if (watch && watch->expired()) markBroken(lost(QString(), true));
}

void Database::lockUntilTransactionEnds(const QString& key) {
    if (!inTransaction_) throw Error(QStringLiteral("The lock \"%1\" needs a running transaction").arg(key));
    guarded([&] { server_->lockUntilTransactionEnds(db_, key); });
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
    return Error(QStringLiteral("%1\nin: %2").arg(reasonOf(error), statementExcerpt(sql)), backend.kindOf(error));
}

QString reasonOf(const QSqlError& error) {
    const QString words = error.text().trimmed();
    return words.isEmpty() ? connectionLostText() : words;
}

QString cannotConnectText() {
    return QStringLiteral("서버에 연결할 수 없습니다.");
}

QString connectionLostText() {
    return QStringLiteral("서버와의 연결이 끊어졌습니다.");
}

QString noAnswerText(std::chrono::milliseconds limit) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit + std::chrono::milliseconds(999)).count();
    return QStringLiteral("서버가 %1초 동안 응답하지 않아 연결을 끊었습니다.").arg(seconds);
}

QString reconnectText() {
    return QStringLiteral("다음 작업 때 다시 연결합니다.");
}

}  // namespace detail

}  // namespace db
