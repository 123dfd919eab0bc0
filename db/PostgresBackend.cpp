#include "db/Backends.h"
#include "db/SocketWatchdog.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <dlfcn.h>
#include <map>
#include <poll.h>

namespace db::detail {

namespace {

// Keyword/value pairs of a libpq connection string: key=value, blanks between pairs, values
// in single quotes may hold blanks, a backslash escapes the next character.
std::map<QString, QString> parseConnectionString(const QString& text) {
    std::map<QString, QString> pairs;
    int i = 0;
    const int n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text[i].isSpace()) ++i;
    };
    for (;;) {
        skipBlanks();
        if (i >= n) break;
        const int keyStart = i;
        while (i < n && !text[i].isSpace() && text[i] != QLatin1Char('=')) ++i;
        const QString key = text.mid(keyStart, i - keyStart).toLower();
        skipBlanks();
        if (i >= n || text[i] != QLatin1Char('='))
            throw Error(QStringLiteral("The connection string \"%1\" lacks \"=\" after \"%2\"").arg(text, key));
        ++i;
        skipBlanks();
        QString value;
        if (i < n && text[i] == QLatin1Char('\'')) {
            ++i;
            bool closed = false;
            while (i < n) {
                if (text[i] == QLatin1Char('\\') && i + 1 < n) {
                    value += text[i + 1];
                    i += 2;
                } else if (text[i] == QLatin1Char('\'')) {
                    ++i;
                    closed = true;
                    break;
                } else {
                    value += text[i++];
                }
            }
            if (!closed) throw Error(QStringLiteral("The connection string has an unterminated quoted value for \"%1\"").arg(key));
        } else {
            while (i < n && !text[i].isSpace()) {
                if (text[i] == QLatin1Char('\\') && i + 1 < n) ++i;
                value += text[i++];
            }
        }
        pairs[key] = value;
    }
    return pairs;
}

QString quoteOption(const QString& value) {
    if (!value.isEmpty() && !value.contains(QLatin1Char(' ')) && !value.contains(QLatin1Char('\'')) &&
        !value.contains(QLatin1Char('\\')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// A server that stops answering is given up on within these bounds, unless the connection
// string says otherwise: connecting, and a connection whose packets are no longer
// acknowledged (the statement watch, Database::kAnswerTimeLimit, covers a stopped server).
// Keepalives find an idle connection whose network went away before the next action uses it.
const std::map<QString, QString>& connectionDefaults() {
    static const std::map<QString, QString> defaults = {
        {QStringLiteral("connect_timeout"), QStringLiteral("10")},
        {QStringLiteral("keepalives"), QStringLiteral("1")},
        {QStringLiteral("keepalives_idle"), QStringLiteral("10")},
        {QStringLiteral("keepalives_interval"), QStringLiteral("5")},
        {QStringLiteral("keepalives_count"), QStringLiteral("2")},
        {QStringLiteral("tcp_user_timeout"), QStringLiteral("20000")},
    };
    return defaults;
}

void apply(QSqlDatabase& db, std::map<QString, QString> pairs) {
    for (const auto& [key, value] : connectionDefaults()) pairs.emplace(key, value);
    // Waiting for another client's lock ends after a few seconds with an error, never hangs. A
    // setting of the session's start: no statement of its own waits for the server.
    QString& serverOptions = pairs[QStringLiteral("options")];
    serverOptions = (serverOptions + QStringLiteral(" -c lock_timeout=%1s").arg(kLockWaitSeconds)).trimmed();
    QStringList options;
    for (const auto& [key, value] : pairs) {
        if (key == QLatin1String("host") || key == QLatin1String("hostaddr")) {
            db.setHostName(value);
        } else if (key == QLatin1String("port")) {
            bool ok = false;
            const int port = value.toInt(&ok);
            if (!ok) throw Error(QStringLiteral("The connection string has the port \"%1\", which is no number").arg(value));
            db.setPort(port);
        } else if (key == QLatin1String("dbname")) {
            db.setDatabaseName(value);
        } else if (key == QLatin1String("user")) {
            db.setUserName(value);
        } else if (key == QLatin1String("password")) {
            db.setPassword(value);
        } else {
            options << key + QLatin1Char('=') + quoteOption(value);
        }
    }
    db.setConnectOptions(options.join(QLatin1Char(';')));
}


bool asksForPassword(const QString& message) {
    return message.contains(QLatin1String("no password supplied"));
}
bool refusedPassword(const QString& message) {
    return message.contains(QLatin1String("password authentication failed"));
}

// Opens the connection with the settings it holds. When the server asks for a password the
// settings lack, or refuses the one given, the installed login prompt asks (again, with the
// server's message); a cancel raises LoginCancelled.
void logIn(QSqlDatabase& db, const QString& aliasName) {
    for (;;) {
        if (db.open()) return;
        const QString message = db.lastError().text().trimmed();
        const LoginPrompt& prompt = Database::loginPrompt();
        const bool asks = asksForPassword(message);
        if (!prompt || (!asks && !refusedPassword(message))) throw Error(cannotConnectText() + QLatin1Char('\n') + message);
        const std::optional<Credentials> login = prompt(aliasName, db.userName(), asks ? QString() : message);
        if (!login) throw LoginCancelled();
        db.setUserName(login->user);
        db.setPassword(login->password);
    }
}

void release(QSqlDatabase& db, const QString& connectionName) {
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName);
}

}  // namespace

QSqlDatabase addPostgresConnection(const QString& connectionName, const QString& connectionString) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw Error(QStringLiteral("The PostgreSQL driver of Qt (QPSQL) is not installed"));
    const std::map<QString, QString> pairs = parseConnectionString(connectionString);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    try {
        apply(db, pairs);
    } catch (const Error&) {
        release(db, connectionName);
        throw;
    }
    return db;
}

QSqlDatabase openPostgresConnection(const QString& connectionName, const QString& connectionString, const QString& aliasName) {
    QSqlDatabase db = addPostgresConnection(connectionName, connectionString);
    try {
        logIn(db, aliasName);
    } catch (const Error&) {
        release(db, connectionName);
        throw;
    }
    return db;
}

// --- libpq, as Qt's driver loaded it --------------------------------------------------------------

namespace {

// The two calls of the client library that tell a connection's state; the driver gives its
// connection handle, the library itself is the one Qt's driver plugin loaded.
struct Libpq {
    using Call = int (*)(const void*);
    Call socket = nullptr;  // PQsocket
    Call status = nullptr;  // PQstatus: 0 is CONNECTION_OK
    static const Libpq& loaded() {
        static const Libpq libpq = [] {
            Libpq l;
            if (void* library = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD)) {
                l.socket = reinterpret_cast<Call>(dlsym(library, "PQsocket"));
                l.status = reinterpret_cast<Call>(dlsym(library, "PQstatus"));
            }
            if (!l.socket || !l.status) qWarning("The PostgreSQL client library is not loaded: broken connections are found late");
            return l;
        }();
        return libpq;
    }
};

const void* connectionHandle(QSqlDatabase& db) {
    if (!db.isOpen() || !db.driver()) return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || !handle.typeName() || !QByteArray(handle.typeName()).endsWith('*')) return nullptr;
    return *static_cast<const void* const*>(handle.constData());
}

// The socket of an open, healthy connection; -1 otherwise.
int openSocket(QSqlDatabase& db) {
    const Libpq& libpq = Libpq::loaded();
    const void* connection = connectionHandle(db);
    if (!connection || !libpq.socket || libpq.status(connection) != 0) return -1;
    return libpq.socket(connection);
}

class SocketWatch final : public AnswerWatch {
public:
    SocketWatch(int socket, std::chrono::milliseconds limit)
        : id_(SocketWatchdog::instance().arm(socket, SocketWatchdog::Clock::now() + limit)) {}
    ~SocketWatch() override { SocketWatchdog::instance().disarm(id_); }
    bool expired() const override { return SocketWatchdog::instance().fired(id_); }

private:
    std::uint64_t id_;
};

QSqlQuery run(Database& db, const QString& sql, const QVariantList& values = {}) {
    return db.run(sql, values);
}

// The statement with its "?" replaced by the values as literals (the server cannot prepare an
// EXPLAIN); a literal is what a prepared statement's parameter is planned with, too.
QString withLiterals(Database& db, const QString& sql, const QVariantList& values) {
    QString out;
    int next = 0;
    QChar quote;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('?')) {
            if (next >= values.size()) throw Error(QStringLiteral("A parameter has no value in: ") + statementExcerpt(sql));
            QSqlField field(QString(), values[next].metaType());
            field.setValue(values[next++]);
            out += db.handle().driver()->formatValue(field);
            continue;
        }
        out += c;
    }
    return out;
}

class PostgresBackend final : public ServerBackend {
public:
    void begin(QSqlDatabase& db) const override {
        if (!db.transaction()) throw statementError(*this, db.lastError(), QStringLiteral("BEGIN"));
    }
    void commit(QSqlDatabase& db) const override {
        if (!db.commit()) throw statementError(*this, db.lastError(), QStringLiteral("COMMIT"));
    }
    void rollback(QSqlDatabase& db) const override { db.rollback(); }
    // A transaction-scoped advisory lock: the server lets it go at commit, at rollback and
    // when the client's connection ends, also by a crash. Its number is made from the key and
    // the schema, as the tables of another schema are other tables.
    void lockUntilTransactionEnds(QSqlDatabase& db, const QString& key) const override {
        const QString sql =
            QStringLiteral("select pg_advisory_xact_lock(('x' || md5(current_schema() || ' ' || ?))::bit(64)::bigint)");
        QSqlQuery q(db);
        if (!q.prepare(sql)) throw statementError(*this, q.lastError(), sql);
        q.addBindValue(key);
        if (!q.exec()) throw statementError(*this, q.lastError(), sql);
    }
    Error::Kind kindOf(const QSqlError& error) const override {
        const QString state = error.nativeErrorCode();
        if (state == QLatin1String("23505")) return Error::Kind::DuplicateKey;  // unique_violation
        // lock_not_available (lock_timeout), deadlock_detected
        if (state == QLatin1String("55P03") || state == QLatin1String("40P01")) return Error::Kind::Busy;
        return Error::Kind::Other;
    }

    Database& openAlias(const QString& name, const AliasSettings& settings) const override {
        return Database::openServerAlias(name, settings);
    }

    QString textColumnsStatement() const override {
        return QStringLiteral(
            "select distinct lower(column_name) from information_schema.columns "
            "where table_schema = any (current_schemas(false)) "
            "and data_type in ('character varying', 'character', 'text')");
    }

    QStringList indexPrelude() const override {
        // Two clients that find the same indexes missing create them one after the other; the
        // second then finds them there. Trigram indexes need the extension pg_trgm.
        return {QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLock),
                // Without the notice that CREATE EXTENSION IF NOT EXISTS gives on every start.
                QStringLiteral("DO $$BEGIN IF NOT EXISTS (SELECT 1 FROM pg_extension WHERE extname = 'pg_trgm') "
                               "THEN CREATE EXTENSION pg_trgm; END IF; END$$")};
    }

    // A trigram index serves LIKE and ILIKE with any pattern. Its operator class is named with
    // the schema the extension lives in, which need not be on the search path.
    QString searchIndexStatement(const SearchIndex& index) const override {
        QString create = QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 USING gin ((%3) ").arg(index.name, index.table, index.expression);
        create.replace(QLatin1Char('\''), QStringLiteral("''"));
        return QStringLiteral(
                   "DO $$BEGIN EXECUTE '%1' || (SELECT e.extnamespace::regnamespace::text FROM pg_extension e "
                   "WHERE e.extname = 'pg_trgm') || '.gin_trgm_ops)'; END$$")
            .arg(create);
    }

    std::optional<QStringList> indexNames(Database& db, const QString& table) const override {
        QSqlQuery exists = run(db, QStringLiteral("SELECT to_regclass(?) IS NOT NULL"), {table});
        if (!exists.next() || !exists.value(0).toBool()) return std::nullopt;
        QSqlQuery q = run(db,
                          QStringLiteral("SELECT lower(i.relname) FROM pg_index x JOIN pg_class i ON i.oid = x.indexrelid "
                                         "WHERE x.indrelid = to_regclass(?)"),
                          {table});
        QStringList names;
        while (q.next()) names << q.value(0).toString();
        return names;
    }

    QString plan(Database& db, const QString& sql, const QVariantList& values) const override {
        const QString explain = QStringLiteral("EXPLAIN ") + withLiterals(db, sql, values);
        run(db, QStringLiteral("SET enable_seqscan = off"));
        QStringList lines;
        try {
            QSqlQuery q = run(db, explain);
            while (q.next()) lines << q.value(0).toString();
        } catch (const Error&) {
            run(db, QStringLiteral("RESET enable_seqscan"));
            throw;
        }
        run(db, QStringLiteral("RESET enable_seqscan"));
        return lines.join(QLatin1Char('\n'));
    }

    // --- how the translation and the schema write for PostgreSQL -----------------------------
    // Names are not case-sensitive in the statements; the server keeps unquoted names in lower case.
    QString quotedName(const QString&, const QString& name) const override {
        QString lower = name.toLower();
        return QLatin1Char('"') + lower.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + QLatin1Char('"');
    }
    // The server's LIKE is case-sensitive; ILIKE compares as the original server did.
    QString likeOperator() const override { return QStringLiteral("ILIKE"); }
    // The server's LIKE takes a backslash as an escape character, which the original does not:
    // a searched backslash stays a backslash.
    QString likeEscape() const override { return QStringLiteral("ESCAPE ''"); }

    QString columnType(ColumnType type) const override {
        switch (type) {
        case ColumnType::Text:
            // No length in the type: varchar(n) would cut blanks beyond n without a word; the
            // check of the column's width refuses them as any other character.
            return QStringLiteral("varchar");
        case ColumnType::Double:
            return QStringLiteral("double precision");
        case ColumnType::DateTime:
            return QStringLiteral("timestamp(0)");
        }
        return {};
    }
    QString textLengthFunction() const override { return QStringLiteral("char_length"); }
    // bpchar without a length keeps the text as stored but compares, hashes, groups and orders
    // it without its trailing blanks. Only the statements' reading of a column changes: the
    // columns stay varchar, so the indexes of rtrim() and joined texts keep serving.
    QString paddedTextType() const override { return QStringLiteral("bpchar"); }

    // --- the connection under faults ---------------------------------------------------------
    QString reopen(QSqlDatabase& db, const QString& alias) const override {
        db.close();
        logIn(db, alias);
        return {};
    }
    // An idle session gets no message from the server here (no LISTEN, no notices between
    // statements): a socket with something to read, or hung up, is one the server ended.
    bool connectionBroken(QSqlDatabase& db, bool idle) const override {
        if (!db.isOpen()) return true;
        const int socket = openSocket(db);
        if (socket < 0) return Libpq::loaded().status != nullptr;  // its state is bad (unknown without the library)
        if (!idle) return false;
        pollfd p{socket, POLLIN, 0};
        return ::poll(&p, 1, 0) > 0;
    }
    std::unique_ptr<AnswerWatch> watchAnswer(QSqlDatabase& db, std::chrono::milliseconds limit) const override {
        const int socket = openSocket(db);
        if (socket < 0) return nullptr;
        return std::make_unique<SocketWatch>(socket, limit);
    }

private:
    static constexpr qint64 kSchemaLock = 0x7671736368656d61;  // "vqschema"
};

}  // namespace

const ServerBackend& postgresBackend() {
    static const PostgresBackend backend;
    return backend;
}

}  // namespace db::detail
