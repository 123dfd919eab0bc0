// Aliases: the embedded database of a fresh home, the configuration file, unknown aliases and
// the login a PostgreSQL alias may need.
#include "db/Query.h"
#include "tests/support/Engines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A fresh home: the engine's configuration and data folders point into a temporary folder.
class FreshHome : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        db::Database::closeAll();
        saveAndSet("XDG_CONFIG_HOME", home_.filePath(QStringLiteral("config")));
        saveAndSet("XDG_DATA_HOME", home_.filePath(QStringLiteral("data")));
    }
    void TearDown() override {
        db::Database::closeAll();
        db::Database::setLoginPrompt(nullptr);
        for (const auto& [name, value] : saved_) {
            if (value.isNull()) qunsetenv(name);
            else qputenv(name, value);
        }
    }
    void writeConfig(const QString& text) {
        QDir().mkpath(QFileInfo(db::Database::configFilePath()).absolutePath());
        QFile f(db::Database::configFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    static int count(const QString& alias, const QString& table) {
        db::Query q(alias);
        q.addSql(QStringLiteral("select count(*) As n from ") + table);
        q.open();
        return q.fieldInt(QStringLiteral("n"));
    }
    static QString errorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const db::Error& e) {
            return e.message();
        }
        return QStringLiteral("(no error)");
    }
    QTemporaryDir home_;

private:
    void saveAndSet(const char* name, const QString& value) {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        qputenv(name, value.toUtf8());
    }
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(FreshHome, AccountIsCreatedWithTablesAndDemoDataThenReusedUntouched) {
    const QString path = db::Database::defaultSQLitePath(QStringLiteral("Account"));
    EXPECT_TRUE(path.startsWith(home_.path()));
    EXPECT_FALSE(QFileInfo::exists(path));

    db::Database& account = db::Database::alias(QStringLiteral("Account"));
    EXPECT_EQ(account.backend(), db::Backend::SQLite);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(&db::Database::alias(QStringLiteral("ACCOUNT")), &account);
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Kubun_Table")), 3);
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Qel_Print")), 10);
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("test_ac_code")), 57);
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Account_Qel_AA")), 0);
    account.exec(QStringLiteral("DELETE FROM Qel_Print WHERE Tot = '10'"));

    db::Database::closeAll();
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Qel_Print")), 9);
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Kubun_Table")), 3);
}

TEST_F(FreshHome, UnknownAliasIsNamedInTheError) {
    EXPECT_TRUE(errorOf([] { db::Database::alias(QStringLiteral("Ledger")); })
                    .startsWith(QStringLiteral("Unknown database alias \"Ledger\"")));
    db::Query q(QStringLiteral("Ledger"));
    q.addSql(QStringLiteral("select 1"));
    EXPECT_TRUE(errorOf([&] { q.open(); }).startsWith(QStringLiteral("Unknown database alias \"Ledger\"")));
    EXPECT_TRUE(errorOf([&] { q.execSql(); }).startsWith(QStringLiteral("Unknown database alias \"Ledger\"")));
}

TEST_F(FreshHome, ConfiguredSQLiteAliasOpensItsFile) {
    const QString file = home_.filePath(QStringLiteral("ledger.sqlite"));
    db::Database::openSQLite(file, true);
    writeConfig(QStringLiteral("[Ledger]\ndriver=sqlite\npath=%1\n\n[Broken]\ndriver=oracle\n\n[Missing]\ndriver=sqlite\npath=%2\n")
                    .arg(file, home_.filePath(QStringLiteral("none.sqlite"))));
    EXPECT_EQ(count(QStringLiteral("ledger"), QStringLiteral("Kubun_Table")), 3);
    EXPECT_TRUE(errorOf([] { db::Database::alias(QStringLiteral("Broken")); }).contains(QStringLiteral("\"oracle\"")));
    EXPECT_TRUE(errorOf([] { db::Database::alias(QStringLiteral("Missing")); }).contains(QStringLiteral("does not exist")));
    EXPECT_FALSE(QFileInfo::exists(home_.filePath(QStringLiteral("none.sqlite"))));
}

TEST_F(FreshHome, FileThatIsNoDatabaseIsRefusedWhenOpened) {
    const QString file = home_.filePath(QStringLiteral("text.sqlite"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    EXPECT_TRUE(errorOf([&] { db::Database::openSQLite(file); }).startsWith(QStringLiteral("Cannot open the database file")));
}

// Login on the PostgreSQL server: the string without a password asks the installed prompt.
class PostgresLogin : public FreshHome, public testing::WithParamInterface<test::Engine> {
protected:
    void SetUp() override {
        FreshHome::SetUp();
        withoutPassword_ = qEnvironmentVariable("VQ_TEST_PG_NOPASS");
        password_ = qEnvironmentVariable("VQ_TEST_PG_PASSWORD");
        if (withoutPassword_.isEmpty() || password_.isEmpty())
            FAIL() << "VQ_TEST_PG_NOPASS is not set: run the tests through scripts/test.sh";
        writeConfig(QStringLiteral("[Remote]\ndriver=postgresql\nconnection=%1\n").arg(withoutPassword_));
        qunsetenv("PGPASSWORD");
    }
    QString withoutPassword_, password_;
};

TEST_P(PostgresLogin, PromptIsAskedUntilTheServerTakesThePassword) {
    std::vector<QString> failures;
    db::Database::setLoginPrompt([&](const QString& alias, const QString& user, const QString& failure) {
        EXPECT_EQ(alias, QStringLiteral("Remote"));
        EXPECT_FALSE(user.isEmpty());
        failures.push_back(failure);
        return std::optional<db::Credentials>(db::Credentials{user, failures.size() == 1 ? QStringLiteral("wrong") : password_});
    });
    db::Query q(QStringLiteral("Remote"));
    q.addSql(QStringLiteral("select 1 As one"));
    q.open();
    EXPECT_EQ(q.fieldInt(QStringLiteral("one")), 1);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], QString());
    EXPECT_TRUE(failures[1].contains(QStringLiteral("password authentication failed"))) << failures[1].toStdString();
}

TEST_P(PostgresLogin, CancelOrNoPromptEndsWithAnError) {
    db::Database::setLoginPrompt([](const QString&, const QString&, const QString&) { return std::optional<db::Credentials>(); });
    EXPECT_EQ(errorOf([] { db::Database::alias(QStringLiteral("Remote")); }), QStringLiteral("Login cancelled"));
    db::Database::setLoginPrompt(nullptr);
    EXPECT_TRUE(errorOf([] { db::Database::alias(QStringLiteral("Remote")); }).contains(QStringLiteral("no password supplied")));
}

INSTANTIATE_TEST_SUITE_P(Engines, PostgresLogin, testing::Values(test::Engine::PostgreSQL), test::engineName);

}  // namespace
