#pragma once
// A connection that an alias names. The alias "Account" comes from the engine's own
// configuration file ($XDG_CONFIG_HOME/dbengine/aliases.ini); when there is no such file (or
// its [Account] says driver=sqlite without a path), the engine uses an embedded SQLite database
// in the user's data folder ($XDG_DATA_HOME/dbengine/<alias>.sqlite), created whole on first
// use with the tables and the demo master data. A file that exists and does not name "Account"
// is an error. A PostgreSQL alias carries a libpq-style connection string.
//
// A connection under faults: a connection found broken is opened again before the next
// statement that runs outside a transaction, at most once per action (db::Action), never
// inside a transaction, and a statement is never run again on the new connection. A statement
// that gets no answer within the answer time limit has its connection cut, so the wait ends.
// An SQLite file that cannot be written is opened read-only, and opened again the same way
// once it can. An SQLite file that was moved away or removed (a copy put in its place) is
// closed between transactions and the file at its path opened, the embedded one created whole
// when none is there; the notice tells the clerk.

#include "db/Error.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QSqlError;

namespace db {

namespace detail {
class ServerBackend;
class AnswerWatch;
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
// Tells the clerk something the engine did on its own (the database file it opened anew).
using Notice = std::function<void(const QString& text)>;

struct AliasSettings {
    Backend backend = Backend::SQLite;
    QString sqlitePath;        // SQLite: the database file
    bool embedded = false;     // SQLite: the embedded database, created on first use
    QString connectionString;  // PostgreSQL: "host=... port=... dbname=... user=... password=..."
};

// One action of the clerk: an event of the forms, or the whole start-up. A connection found
// broken during an action is opened again in the next action only, so one action waits for an
// unreachable server once at most. Nested actions belong to the outermost; a statement outside
// any action counts as an action of its own. Per thread.
class Action {
public:
    Action();
    ~Action();
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;
};

class Database {
public:
    // The connection of an alias, opened on first use and kept for the process. Throws
    // db::AliasError when the configuration names no usable database, db::Error for a failed
    // connection (a server alias is then tried again by the next action).
    static Database& alias(const QString& name);
    // How long a statement waits for the server's answer before its connection is cut. It
    // holds when the server cannot even take a cancel request (its process stopped, the
    // network dropping every packet); the wait then ends in a db::Error of kind ConnectionLost.
    static constexpr std::chrono::seconds kAnswerTimeLimit{20};

    // Forgets every open alias (tests, and after a configuration change).
    static void closeAll();
    // Closes and forgets one alias (nothing happens when it is not open).
    static void forget(const QString& aliasName);
    // The prompt the engine's login dialog provides (installed by the widgetset).
    static void setLoginPrompt(LoginPrompt prompt);
    static const LoginPrompt& loginPrompt();
    // Where the engine's notices go (installed by the program; none: they are dropped).
    static void setNotice(Notice notice);

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

    // What each backend's way of opening an alias calls: a file on this machine, or a server.
    static Database& openFileAlias(const QString& aliasName, const AliasSettings& settings);
    static Database& openServerAlias(const QString& aliasName, const AliasSettings& settings);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    Backend backend() const { return backend_; }
    QSqlDatabase& handle() { return db_; }
    const QString& connectionName() const { return connectionName_; }

    // Runs one statement as the backend writes it (no translation, no parameters). Not held
    // to the answer time limit: it serves set-up and schema work, which may run long.
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

    // The answer time limit of this connection's statements (kAnswerTimeLimit unless set).
    void setAnswerTimeLimit(std::chrono::milliseconds limit) { answerLimit_ = limit; }
    std::chrono::milliseconds answerTimeLimit() const { return answerLimit_; }

    // The guard every statement of this connection runs under, from before it is sent until
    // its rows are read. Its construction opens a connection found broken again (see the top
    // of this file) or throws the reason it cannot be used; while it lives, a server that does
    // not answer within the answer time limit has the connection cut (Bound::Answer).
    class Statement {
    public:
        enum class Bound { Answer, None };
        explicit Statement(Database& database, Bound bound = Bound::Answer);
        ~Statement();
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;
        // The error to raise for a failure of the statement: as it is, or, when the connection
        // was lost or cut, one of kind ConnectionLost that says so before the server's words.
        Error failed(const Error& error);

    private:
        bool cut() const;
        Database& database_;
        std::unique_ptr<detail::AnswerWatch> watch_;
    };
    // Runs `fn` (driver calls that throw db::Error) as one statement under the guard.
    template <class Fn>
    auto guarded(Fn&& fn, Statement::Bound bound = Statement::Bound::Answer) -> decltype(fn()) {
        Statement statement(*this, bound);
        try {
            return fn();
        } catch (const Error& e) {
            throw statement.failed(e);
        }
    }
    // One statement with its values bound to its "?" in order, under the guard; the whole
    // result is read. Throws the server's message with the statement.
    QSqlQuery run(const QString& sql, const QVariantList& values = {});

private:
    Database(Backend backend, QString connectionName);
    static std::unique_ptr<Database> openEmbedded(const QString& path);
    // Makes the connection usable for a statement, or throws why it is not (see Statement).
    void makeReady();
    void reopen();
    void markBroken(const Error& reason);
    Error lost(const QString& words, bool cut) const;

    Backend backend_;
    const detail::ServerBackend* server_;
    QString connectionName_;
    QSqlDatabase db_;
    bool inTransaction_ = false;
    QString aliasName_;  // named by the login prompt when the connection is opened again
    std::chrono::milliseconds answerLimit_ = kAnswerTimeLimit;
    // Why the connection cannot be used, and the action that found it so.
    struct Broken {
        Error reason;
        quint64 action;
    };
    std::optional<Broken> broken_;
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
