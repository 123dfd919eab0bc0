#include "db/Backends.h"

#include <QSqlError>
#include <QSqlQuery>
#include <map>

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

void apply(QSqlDatabase& db, const std::map<QString, QString>& pairs) {
    QStringList options;
    bool hasTimeout = false;
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
            if (key == QLatin1String("connect_timeout")) hasTimeout = true;
            options << key + QLatin1Char('=') + quoteOption(value);
        }
    }
    // An unreachable server should answer with an error, not hang the clerk's window.
    if (!hasTimeout) options << QStringLiteral("connect_timeout=15");
    db.setConnectOptions(options.join(QLatin1Char(';')));
}

class PostgresBackend : public ServerBackend {
public:
    void begin(QSqlDatabase& db) override {
        if (!db.transaction()) throw statementError(*this, db.lastError(), QStringLiteral("BEGIN"));
    }
    void commit(QSqlDatabase& db) override {
        if (!db.commit()) throw statementError(*this, db.lastError(), QStringLiteral("COMMIT"));
    }
    void rollback(QSqlDatabase& db) override { db.rollback(); }
    // A transaction-scoped advisory lock: the server lets it go at commit, at rollback and
    // when the client's connection ends, also by a crash. Its number is made from the key and
    // the schema, as the tables of another schema are other tables.
    void lockUntilTransactionEnds(QSqlDatabase& db, const QString& key) override {
        const QString sql =
            QStringLiteral("select pg_advisory_xact_lock(('x' || md5(current_schema() || ' ' || ?))::bit(64)::bigint)");
        QSqlQuery q(db);
        q.prepare(sql);
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
};

// Waiting for another client's lock ends after a few seconds with an error, never hangs.
void limitLockWaits(QSqlDatabase& db) {
    const QString sql = QStringLiteral("SET lock_timeout = '%1s'").arg(kLockWaitSeconds);
    QSqlQuery q(db);
    if (!q.exec(sql)) throw statementError(PostgresBackend(), q.lastError(), sql);
}

bool asksForPassword(const QString& message) {
    return message.contains(QLatin1String("no password supplied"));
}
bool refusedPassword(const QString& message) {
    return message.contains(QLatin1String("password authentication failed"));
}

}  // namespace

QSqlDatabase openPostgresConnection(const QString& connectionName, const QString& connectionString, const QString& aliasName) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw Error(QStringLiteral("The PostgreSQL driver of Qt (QPSQL) is not installed"));
    const std::map<QString, QString> pairs = parseConnectionString(connectionString);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    auto release = [&] {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
    };
    auto fail = [&](const QString& message) {
        release();
        throw Error(message);
    };
    try {
        apply(db, pairs);
    } catch (const Error& e) {
        fail(e.message());
    }
    for (;;) {
        if (db.open()) {
            try {
                limitLockWaits(db);
            } catch (const Error& e) {
                fail(e.message());
            }
            return db;
        }
        const QString message = db.lastError().text().trimmed();
        const LoginPrompt& prompt = Database::loginPrompt();
        const bool asks = asksForPassword(message);
        if (!prompt || (!asks && !refusedPassword(message))) fail(message);
        const std::optional<Credentials> login = prompt(aliasName, db.userName(), asks ? QString() : message);
        if (!login) {
            release();
            throw LoginCancelled();
        }
        db.setUserName(login->user);
        db.setPassword(login->password);
    }
}

std::unique_ptr<ServerBackend> postgresBackend() { return std::make_unique<PostgresBackend>(); }

}  // namespace db::detail
