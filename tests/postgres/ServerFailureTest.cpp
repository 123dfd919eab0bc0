// A server that is not there, one that stops under an open connection, and a refused login
// all reach the caller as a db::Error with the server's own words, never as a crash.

#include "tests/postgres/PgServer.h"

#include "db/Database.h"
#include "db/Error.h"
#include "db/Query.h"

#include <QHostAddress>
#include <QTcpServer>
#include <memory>

namespace {

using pgtest::ConnectionString;

class ServerFailure : public pgtest::ServerTest {};

// Expects `fn` to raise db::Error whose message holds `words` (ignoring case); any words
// when `words` is empty.
template <class Fn>
void expectError(Fn fn, const QString& words) {
    try {
        fn();
        ADD_FAILURE() << "no db::Error; expected one saying \"" << words.toStdString() << "\"";
    } catch (const db::Error& e) {
        EXPECT_FALSE(e.message().trimmed().isEmpty());
        EXPECT_TRUE(e.message().contains(words, Qt::CaseInsensitive))
            << "expected \"" << words.toStdString() << "\" in: " << e.what();
    }
}

TEST_P(ServerFailure, AClosedPortGivesAClearError) {
    // A port that was just free: nothing listens there.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();

    const ConnectionString nowhere = server().with(QStringLiteral("port"), QString::number(port));
    expectError([&] { db::Database::openPostgres(nowhere.text()); }, QStringLiteral("refused"));
}

TEST_P(ServerFailure, AServerStoppedUnderAnOpenConnectionGivesAClearError) {
    pgtest::ThrowawayServer other;
    const auto database = db::Database::openPostgres(other.connection().text());
    database->createSchema();
    db::Query q(*database);
    q.setSql({QStringLiteral("select count(*) as n from Kubun_Table")});
    q.open();
    EXPECT_EQ(q.fieldInt(QStringLiteral("n")), 0);
    q.close();

    other.stop();

    // Every kind of statement fails cleanly, and so does a new connection.
    expectError([&] { q.open(); }, QString());
    EXPECT_FALSE(q.active());
    db::Query insert(*database);
    insert.setSql({QStringLiteral("insert into Kubun_Table (Kubun_Code, Kubun_Name, Kubun_JangSo)"),
                   QStringLiteral("values ('00000', 'a', 'b')")});
    expectError([&] { insert.execSql(); }, QString());
    expectError([&] { db::Database::openPostgres(other.connection().text()); }, QStringLiteral("refused"));
}

TEST_P(ServerFailure, AWrongPasswordWithoutALoginPromptGivesTheServersMessage) {
    const ConnectionString wrong = server().with(QStringLiteral("password"), QStringLiteral("not-the-password"));
    expectError([&] { db::Database::openPostgres(wrong.text()); }, QStringLiteral("password authentication failed"));
}

TEST_P(ServerFailure, AnUnknownUserOrDatabaseGivesTheServersMessage) {
    const ConnectionString stranger = server().with(QStringLiteral("user"), QStringLiteral("nobody_here"));
    expectError([&] { db::Database::openPostgres(stranger.text()); }, QStringLiteral("nobody_here"));
    const ConnectionString missing = server().with(QStringLiteral("dbname"), QStringLiteral("no_such_db"));
    expectError([&] { db::Database::openPostgres(missing.text()); }, QStringLiteral("\"no_such_db\" does not exist"));
}

TEST_P(ServerFailure, ABadStatementGivesTheServersMessageAndTheConnectionGoesOn) {
    const auto database = db::Database::openPostgres(server().text());
    db::Query q(*database);
    q.setSql({QStringLiteral("select no_such_column from no_such_table")});
    expectError([&] { q.open(); }, QStringLiteral("no_such_table"));
    q.setSql({QStringLiteral("select 'still here' as t")});
    q.open();
    EXPECT_EQ(q.fieldText(QStringLiteral("t")), QStringLiteral("still here"));
}

VQ_ON_POSTGRES(ServerFailure);

}  // namespace
