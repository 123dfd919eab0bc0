#include "tests/support/Engines.h"

#include "db/Error.h"

#include <QCoreApplication>
#include <QUuid>

namespace test {

QString postgresConnectionString() {
    const QString s = qEnvironmentVariable("VQ_TEST_PG");
    if (s.isEmpty())
        throw db::Error(QStringLiteral("VQ_TEST_PG is not set: run the tests through scripts/test.sh, which starts the "
                                       "PostgreSQL server the database tests need"));
    return s;
}

namespace {

QString uniqueSchemaName() {
    return QStringLiteral("t_%1_%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
}

// The schema is an option of the connection, so a connection opened again is in it too.
QString inSchema(const QString& server, const QString& schema) {
    return server + QStringLiteral(" options=-csearch_path=") + schema;
}

std::unique_ptr<db::Database> openPostgresIn(const QString& server, const QString& schema) {
    return db::Database::openPostgres(inSchema(server, schema));
}

}  // namespace

TestDatabase::TestDatabase(Engine engine, Tables tables, QString server) : engine_(engine) {
    if (engine == Engine::SQLite) {
        if (!dir_.isValid()) throw db::Error(QStringLiteral("Cannot create a temporary folder for the test database"));
        sqlitePath_ = dir_.filePath(QStringLiteral("test.sqlite"));
        db_ = db::Database::openSQLite(sqlitePath_);
    } else {
        pgServer_ = server.isEmpty() ? postgresConnectionString() : server;
        pgSchema_ = uniqueSchemaName();
        db_ = openPostgresIn(pgServer_, pgSchema_);
        db_->exec(QStringLiteral("CREATE SCHEMA %1").arg(pgSchema_));
    }
    if (tables == Tables::Current) db_->createSchema();
}

TestDatabase::~TestDatabase() {
    for (const QString& a : aliases_) db::Database::forget(a);
    if (engine_ == Engine::PostgreSQL && db_) {
        try {
            if (db_->inTransaction()) db_->rollback();
            db_->exec(QStringLiteral("SET client_min_messages TO warning"));
            db_->exec(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(pgSchema_));
        } catch (const db::Error& e) {
            ADD_FAILURE() << "Cannot drop the test schema " << pgSchema_.toStdString() << ": " << e.what();
        }
    }
}

std::unique_ptr<db::Database> TestDatabase::openAnotherConnection() {
    if (engine_ == Engine::SQLite) return db::Database::openSQLite(sqlitePath_);
    return openPostgresIn(pgServer_, pgSchema_);
}

QStringList TestDatabase::clientArguments() const {
    if (engine_ == Engine::SQLite) return {QStringLiteral("sqlite"), sqlitePath_};
    return {QStringLiteral("postgresql"), pgServer_, pgSchema_};
}

std::unique_ptr<db::Database> openClientDatabase(const QStringList& arguments) {
    if (arguments.value(0) == QLatin1String("sqlite") && arguments.size() == 2)
        return db::Database::openSQLite(arguments[1]);
    if (arguments.value(0) == QLatin1String("postgresql") && arguments.size() == 3)
        return openPostgresIn(arguments[1], arguments[2]);
    throw db::Error(QStringLiteral("No database in the arguments \"%1\"").arg(arguments.join(QLatin1Char(' '))));
}

QString TestDatabase::configSection(const QString& alias) const {
    if (engine_ == Engine::SQLite) return QStringLiteral("[%1]\ndriver=sqlite\npath=%2\n").arg(alias, sqlitePath_);
    // The server starts the connection in the test's schema.
    return QStringLiteral("[%1]\ndriver=postgresql\nconnection=%2\n").arg(alias, inSchema(pgServer_, pgSchema_));
}

db::Database& TestDatabase::installAsAlias(const QString& alias) {
    std::unique_ptr<db::Database> connection = openAnotherConnection();
    db::Database& result = *connection;
    db::Database::adopt(alias, std::move(connection));
    aliases_ << alias;
    return result;
}

std::string engineName(const testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

}  // namespace test
