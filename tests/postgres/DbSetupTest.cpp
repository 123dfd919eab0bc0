// The setup tool on a real server: it creates the tables (with --demo the master data) in
// an empty database, and refuses one that already holds them without touching anything.

#include "tests/postgres/PgServer.h"

#include "db/Backends.h"
#include "db/Database.h"
#include "db/Error.h"
#include "db/Query.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <memory>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

ToolRun dbsetup(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("PGPASSWORD"));
    env.insert(QStringLiteral("PGPASSFILE"), QStringLiteral("/nonexistent/pgpass"));
    p.setProcessEnvironment(env);
    p.setStandardInputFile(QProcess::nullDevice());  // no terminal to ask a password on
    p.start(QStringLiteral(VQ_DBSETUP), args);
    ToolRun r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
        r.err = QStringLiteral("dbsetup did not finish normally: ") + QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

int countRows(db::Database& database, const QString& table) {
    db::Query q(database);
    q.setSql({QStringLiteral("select count(*) as n from ") + table});
    q.open();
    return q.fieldInt(QStringLiteral("n"));
}

class DbSetup : public pgtest::ServerTest {
protected:
    void SetUp() override {
        pgtest::ServerTest::SetUp();
        if (HasFatalFailure()) return;
        scratch_ = std::make_unique<pgtest::ScratchDatabase>(server());
    }
    void TearDown() override {
        scratch_.reset();
        pgtest::ServerTest::TearDown();
    }
    QString connection() const { return scratch_->connection().text(); }

    std::unique_ptr<pgtest::ScratchDatabase> scratch_;
};

TEST_P(DbSetup, CreatesTheTablesWithTheDemoMasterDataInAnEmptyDatabase) {
    const ToolRun r = dbsetup({QStringLiteral("--demo"), connection()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Account_Qel_AA"), Qt::CaseInsensitive)) << r.out.toStdString();

    const auto database = db::Database::openPostgres(connection());
    for (const char* table : {"Account_Qel_AA", "Kubun_Table", "Qel_Print", "test_ac_code", "Sale_Table", "Bank_Table",
                              "Sawon_Table", "Buser_Table", "Project_Table", "Item_Table"})
        EXPECT_TRUE(database->hasTable(QString::fromLatin1(table))) << table;
    EXPECT_GT(countRows(*database, QStringLiteral("Kubun_Table")), 0);
    EXPECT_GT(countRows(*database, QStringLiteral("test_ac_code")), 0);
    EXPECT_EQ(countRows(*database, QStringLiteral("Account_Qel_AA")), 0);
}

TEST_P(DbSetup, WithoutDemoTheTablesStayEmpty) {
    const ToolRun r = dbsetup({connection()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const auto database = db::Database::openPostgres(connection());
    EXPECT_TRUE(database->hasTable(QStringLiteral("Account_Qel_AA")));
    EXPECT_EQ(countRows(*database, QStringLiteral("Kubun_Table")), 0);
}

TEST_P(DbSetup, CreatesTheTrigramExtensionAndEveryIndex) {
    {
        const auto database = db::Database::openPostgres(connection());
        pgtest::exec(*database, QStringLiteral("DROP EXTENSION IF EXISTS pg_trgm"));
    }
    const ToolRun r = dbsetup({connection()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const auto database = db::Database::openPostgres(connection());
    EXPECT_EQ(pgtest::scalar(*database, QStringLiteral("select count(*) from pg_extension where extname = 'pg_trgm'")), "1");
    EXPECT_TRUE(db::detail::missingIndexStatements(*database).isEmpty());
}

TEST_P(DbSetup, RefusesADatabaseThatHoldsTheTablesAndChangesNothing) {
    ASSERT_EQ(dbsetup({QStringLiteral("--demo"), connection()}).exitCode, 0);
    const auto database = db::Database::openPostgres(connection());
    const int offices = countRows(*database, QStringLiteral("Kubun_Table"));

    const ToolRun again = dbsetup({QStringLiteral("--demo"), connection()});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("already holds the tables"))) << again.err.toStdString();
    EXPECT_TRUE(again.err.contains(QStringLiteral("Account_Qel_AA"), Qt::CaseInsensitive)) << again.err.toStdString();
    EXPECT_EQ(countRows(*database, QStringLiteral("Kubun_Table")), offices);

    // One table of the set is enough to refuse.
    const auto other = std::make_unique<pgtest::ScratchDatabase>(server());
    const auto partial = db::Database::openPostgres(other->connection().text());
    pgtest::exec(*partial, QStringLiteral("create table Kubun_Table (Kubun_Code char(5))"));
    const ToolRun onPartial = dbsetup({other->connection().text()});
    EXPECT_EQ(onPartial.exitCode, 1);
    EXPECT_TRUE(onPartial.err.contains(QStringLiteral("Kubun_Table"), Qt::CaseInsensitive)) << onPartial.err.toStdString();
    EXPECT_FALSE(partial->hasTable(QStringLiteral("Account_Qel_AA")));
}

TEST_P(DbSetup, AMissingPasswordOrServerIsReportedNotHidden) {
    const ToolRun noPassword = dbsetup({scratch_->connection().without(QStringLiteral("password")).text()});
    EXPECT_EQ(noPassword.exitCode, 1);
    EXPECT_TRUE(noPassword.err.contains(QStringLiteral("give the password"))) << noPassword.err.toStdString();

    const ToolRun noServer = dbsetup({scratch_->connection().with(QStringLiteral("port"), QStringLiteral("1")).text()});
    EXPECT_EQ(noServer.exitCode, 1);
    EXPECT_TRUE(noServer.err.contains(QStringLiteral("cannot connect"))) << noServer.err.toStdString();

    const ToolRun noArguments = dbsetup({});
    EXPECT_EQ(noArguments.exitCode, 2);
    EXPECT_TRUE(noArguments.err.contains(QStringLiteral("connection string"))) << noArguments.err.toStdString();
}

VQ_ON_POSTGRES(DbSetup);

}  // namespace
