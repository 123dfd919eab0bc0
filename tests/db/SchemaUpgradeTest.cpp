// A database that the engine's previous version made (an embedded file, or a server set up
// with its setup tool) gets this version's indexes when a program first opens it through its
// alias; its rows and what every statement of the forms reads stay as they were. A clerk who
// may not create indexes still works with it.
#include "VoucherFixtures.h"
#include "db/Backends.h"
#include "db/Dialect.h"
#include "db/Query.h"
#include "tests/support/Engines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

using test::Engine;

QStringList earlierSchema(Engine engine) {
    QFile f(QStringLiteral(VQ_EARLIER_SCHEMA_DIR "/") + (engine == Engine::SQLite ? "sqlite" : "postgres") + QStringLiteral(".sql"));
    if (!f.open(QIODevice::ReadOnly)) throw db::Error(QStringLiteral("No file ") + f.fileName());
    QStringList statements;
    QString current;
    for (const db::Token& t : db::tokenize(QString::fromUtf8(f.readAll()))) {
        if (t.kind == db::Token::Kind::Punct && t.text == QLatin1String(";")) {
            statements << current.trimmed();
            current.clear();
        } else if (t.kind != db::Token::Kind::Comment) {
            current += t.text;
        }
    }
    return statements;
}

std::vector<QStringList> everyReading(db::Database& database) {
    std::vector<QStringList> rows;
    for (const test::Reading& r : test::readings()) rows.push_back(test::rowsOf(database, r));
    return rows;
}

class EarlierDatabase : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        saved_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        database_ = std::make_unique<test::TestDatabase>(GetParam(), test::TestDatabase::Tables::None);
        database_->db().executeScript(earlierSchema(GetParam()));
        database_->loadDemoData();
        test::storeVouchers(database_->db());
    }
    void TearDown() override {
        db::Database::forget(QStringLiteral("Account"));
        database_.reset();
        qputenv("XDG_CONFIG_HOME", saved_);
    }
    void configure(const QString& section) {
        QDir().mkpath(QFileInfo(db::Database::configFilePath()).absolutePath());
        QFile f(db::Database::configFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(section.toUtf8());
    }
    db::Database& earlier() { return database_->db(); }

    std::unique_ptr<test::TestDatabase> database_;

private:
    QTemporaryDir config_;
    QByteArray saved_;
};

TEST_P(EarlierDatabase, GetsTheIndexesOnFirstOpenAndReadsTheSameRows) {
    const std::vector<QStringList> before = everyReading(earlier());
    ASSERT_EQ(before.back().size(), 200);  // the whole table
    ASSERT_FALSE(db::detail::missingIndexStatements(earlier()).isEmpty());

    configure(database_->configSection(QStringLiteral("Account")));
    db::Database& account = db::Database::alias(QStringLiteral("Account"));
    EXPECT_TRUE(db::detail::missingIndexStatements(account).isEmpty());
    EXPECT_EQ(everyReading(account), before);

    const test::Reading grid = test::readings().front();
    const db::Translation t = account.translation(grid.sql.join(QLatin1Char('\n')));
    const QVariantList pattern(t.parameterOrder.size(), grid.params.at(QStringLiteral("tbDKubun")));
    const QString plan = db::detail::backendOf(account.backend()).plan(account, t.sql, pattern);
    EXPECT_TRUE(plan.contains(QLatin1String("account_qel_aa_day_office"), Qt::CaseInsensitive)) << plan.toStdString();

    // Opened again, it finds nothing to add.
    db::Database::forget(QStringLiteral("Account"));
    EXPECT_EQ(everyReading(db::Database::alias(QStringLiteral("Account"))), before);
}

INSTANTIATE_TEST_SUITE_P(Engines, EarlierDatabase, test::allEngines, test::engineName);

// A clerk's login that may read and write the tables but not index them, as a company may set up.
class EarlierServer : public EarlierDatabase {};

TEST_P(EarlierServer, AClerkWhoMayNotAddTheIndexesStillWorks) {
    db::Query current(earlier());
    current.setSql({QStringLiteral("select current_schema() as s")});
    current.open();
    const QString schema = current.fieldText(QStringLiteral("s"));
    const QString clerk = QStringLiteral("clerk_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    earlier().exec(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'clerk-pw'").arg(clerk));
    struct DropRole {
        db::Database& db;
        QString role;
        ~DropRole() {
            db::Database::forget(QStringLiteral("Account"));
            db.exec(QStringLiteral("DROP OWNED BY %1").arg(role));
            db.exec(QStringLiteral("DROP ROLE %1").arg(role));
        }
    } dropRole{earlier(), clerk};
    earlier().exec(QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(schema, clerk));
    earlier().exec(QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA %1 TO %2").arg(schema, clerk));

    QStringList login;
    for (const QString& part : test::postgresConnectionString().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!part.startsWith(QLatin1String("user=")) && !part.startsWith(QLatin1String("password="))) login << part;
    configure(QStringLiteral("[Account]\ndriver=postgresql\nconnection=%1 user=%2 password=clerk-pw options=-csearch_path=%3\n")
                  .arg(login.join(QLatin1Char(' ')), clerk, schema));
    std::vector<QStringList> readings;
    EXPECT_NO_THROW(readings = everyReading(db::Database::alias(QStringLiteral("Account"))));
    EXPECT_EQ(readings, everyReading(earlier()));
    EXPECT_FALSE(db::detail::missingIndexStatements(earlier()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Server, EarlierServer, testing::Values(Engine::PostgreSQL), test::engineName);

}  // namespace
