#pragma once
// A connection that an alias names. The alias "Account" comes from the engine's own
// configuration file ($XDG_CONFIG_HOME/dbengine/aliases.ini); when the file does not name
// it, the engine uses an embedded SQLite database in the user's data folder
// ($XDG_DATA_HOME/dbengine/<alias>.sqlite), created on first use with the tables and the
// demo master data. A PostgreSQL alias carries a libpq-style connection string.

#include "db/Error.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QSqlError;

namespace db {

namespace detail {
class ServerBackend;
}

enum class Backend { SQLite, PostgreSQL };
struct Translation;
class TranslationCache;

struct Credentials {
    QString user, password;
};
// Asked when the server wants a password the alias does not hold. Returns nothing when the
// clerk cancels. `failure` is empty the first time and the server's message after a refusal.
using LoginPrompt = std::function<std::optional<Credentials>(const QString& alias, const QString& user,
                                                            const QString& failure)>;

struct AliasSettings {
    Backend backend = Backend::SQLite;
    QString sqlitePath;        // SQLite: the database file
    QString connectionString;  // PostgreSQL: "host=... port=... dbname=... user=... password=..."
};

class Database {
public:
    // The connection of an alias, opened on first use and kept for the process.
    // Throws db::Error for an unknown alias or a failed connection.
    static Database& alias(const QString& name);
    // Forgets every open alias (tests, and after a configuration change).
    static void closeAll();
    // Closes and forgets one alias (nothing happens when it is not open).
    static void forget(const QString& aliasName);
    // The prompt the engine's login dialog provides (installed by the widgetset).
    static void setLoginPrompt(LoginPrompt prompt);
    static const LoginPrompt& loginPrompt();

    // Reads the alias from the configuration file; the default for "Account" when absent.
    static AliasSettings settingsFor(const QString& name);
    static QString configFilePath();
    static QString defaultSQLitePath(const QString& aliasName);

    // Makes `database` the connection of an alias for this process (tests point "Account"
    // at their own database this way).
    static void adopt(const QString& aliasName, std::unique_ptr<Database> database);

    // Direct connections (tests, the setup tool).
    static std::unique_ptr<Database> openSQLite(const QString& path, bool createSchemaAndDemo = false);
    static std::unique_ptr<Database> openPostgres(const QString& connectionString);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    Backend backend() const { return backend_; }
    QSqlDatabase& handle() { return db_; }
    const QString& connectionName() const { return connectionName_; }

    // Runs one statement as the backend writes it (no translation, no parameters).
    void exec(const QString& statement);
    // Runs a script of statements (schema, demo data) in one transaction.
    void executeScript(const QStringList& statements);
    // The tables, indexes and keys of the system; demo master data on request.
    void createSchema();
    void loadDemoData();
    bool hasTable(const QString& table);
    // Adds the indexes that a database made by an earlier version lacks; rows stay as they are.
    void addMissingIndexes();

    // A statement of the forms translated for this connection (once per text until the schema changes).
    Translation translation(const QString& statement);

    // Lower-case names of the text columns of every table; the dialect uses them to tell
    // text concatenation from addition.
    const QStringList& textColumns();

    // A transaction that is going to write; commit() ends it, rollback() undoes it. A commit
    // that fails rolls back before it throws.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return inTransaction_; }
    // Inside a transaction: waits for, then holds, the lock named by `key` until the
    // transaction ends. Another connection asking for the same key waits a few seconds at
    // most, then gets a db::Error of kind Busy.
    void lockUntilTransactionEnds(const QString& key);
    // What a failure the server reported on this connection means.
    Error::Kind errorKind(const QSqlError& error) const;

private:
    Database(Backend backend, QString connectionName);
    static std::unique_ptr<Database> createEmbedded(const QString& path);
    Backend backend_;
    const detail::ServerBackend* server_;
    QString connectionName_;
    QSqlDatabase db_;
    bool inTransaction_ = false;
    std::optional<QStringList> textColumns_;
    std::unique_ptr<TranslationCache> translations_;
};

// Commits on commit(), rolls back when it ends without one (an exception on the way).
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
private:
    Database& db_;
    bool done_ = false;
};

}  // namespace db
