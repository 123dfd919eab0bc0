// Aliases: the embedded database of a fresh home (whole or not at all, in write-ahead-log mode),
// the configuration file, unknown aliases and the login a PostgreSQL alias may need.
#include "db/Query.h"
#include "tests/support/Engines.h"
#include "tests/support/Home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A fresh home: the engine's configuration and data folders point into a temporary folder.
class FreshHome : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        db::Database::closeAll();
    }
    void TearDown() override {
        db::Database::closeAll();
        db::Database::setLoginPrompt(nullptr);
    }
    void writeConfig(const QString& text) { ASSERT_TRUE(home_.writeAliasFile(text.toUtf8())); }
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
    test::Home home_;
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

TEST_F(FreshHome, AccountAskingForSQLiteIsTheEmbeddedDatabase) {
    writeConfig(QStringLiteral("[Account]\ndriver=sqlite\n"));
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Kubun_Table")), 3);
    EXPECT_TRUE(QFileInfo::exists(db::Database::defaultSQLitePath(QStringLiteral("Account"))));
}

// A file that was read-only when it was opened refuses writes, and is written at the next
// action once its owner makes it writable, without a restart. No write permission at all
// makes it read-only for root too, whom the permission bits alone would not stop.
TEST_F(FreshHome, AFileOpenedReadOnlyIsWrittenAtTheNextActionOnceItIsWritable) {
    const QString path = db::Database::defaultSQLitePath(QStringLiteral("Account"));
    db::Database::alias(QStringLiteral("Account"));
    db::Database::closeAll();
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, readOnly));
    const auto deleteOnePage = [] {
        db::Action action;
        db::Query q(QStringLiteral("Account"));
        q.addSql(QStringLiteral("DELETE FROM Qel_Print WHERE Tot = '10'"));
        q.execSql();
    };
    for (int action = 1; action <= 2; ++action)
        EXPECT_TRUE(errorOf(deleteOnePage).contains(QStringLiteral("readonly database"))) << action;
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Qel_Print")), 10);

    ASSERT_TRUE(QFile::setPermissions(path, readOnly | QFile::WriteOwner));
    EXPECT_EQ(errorOf(deleteOnePage).toStdString(), "(no error)");
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Qel_Print")), 9);
    db::Database::closeAll();
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Qel_Print")), 9);
}

// The embedded file replaced by a copy, or removed, while the program runs: the next action
// writes into the file at the path (created whole when none is there) and the clerk is told
// once. The old file's last write, still in its log, never reaches the file at the path.
struct Replacement {
    const char* name;
    bool byACopy;          // else removed
    const char* printTot;  // Qel_Print's rows in the file at the path afterwards
};

class AfterTheFileIsReplaced : public FreshHome, public testing::WithParamInterface<Replacement> {};

TEST_P(AfterTheFileIsReplaced, TheNextActionWritesTheFileAtThePathAndTellsOnce) {
    const QString path = db::Database::defaultSQLitePath(QStringLiteral("Account"));
    QStringList told;
    db::Database::setNotice([&](const QString& text) { told << text; });
    const auto deletePage = [](const char* tot) {
        db::Action action;
        db::Query q(QStringLiteral("Account"));
        q.addSql(QStringLiteral("DELETE FROM Qel_Print WHERE Tot = '%1'").arg(QLatin1String(tot)));
        q.execSql();
    };
    deletePage("10");
    if (GetParam().byACopy) {
        const QString copy = home_.filePath(QStringLiteral("copy.sqlite"));
        db::Database::openSQLite(copy, true)->exec(QStringLiteral("DELETE FROM Qel_Print WHERE Tot = '01'"));
        ASSERT_EQ(std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData()), 0);
    } else {
        ASSERT_TRUE(QFile::remove(path));
    }
    deletePage("02");
    deletePage("03");
    db::Database::setNotice(nullptr);

    EXPECT_EQ(told.size(), 1) << told.join(QLatin1Char('\n')).toStdString();
    const auto atThePath = db::Database::openSQLite(path);
    QSqlQuery q = atThePath->run(QStringLiteral("select Tot from Qel_Print order by Tot"));
    QStringList tots;
    while (q.next()) tots << q.value(0).toString();
    EXPECT_EQ(tots.join(QLatin1Char(' ')).toStdString(), GetParam().printTot);
}

const Replacement kReplacements[] = {
    {"ByACopy", true, "04 05 06 07 08 09 10"},
    {"Removed", false, "01 04 05 06 07 08 09 10"},
};
INSTANTIATE_TEST_SUITE_P(Embedded, AfterTheFileIsReplaced, testing::ValuesIn(kReplacements),
                         [](const testing::TestParamInfo<Replacement>& row) { return std::string(row.param.name); });

// A first start that ended inside the creation of the embedded database: killed as its files
// reached a size (a child process), or an empty file as an earlier version left it.
struct InterruptedStart {
    const char* name;
    qint64 killedAtFileSize;  // 0: no child; an empty Account.sqlite instead
};

class AfterAnInterruptedFirstStart : public FreshHome, public testing::WithParamInterface<InterruptedStart> {};

TEST_P(AfterAnInterruptedFirstStart, TheNextStartCreatesTheDatabaseWhole) {
    const QString path = db::Database::defaultSQLitePath(QStringLiteral("Account"));
    if (GetParam().killedAtFileSize == 0) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile empty(path);
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    } else {
        QProcess child;
        child.start(QStringLiteral(EMBEDDED_START_CHILD), {QString::number(GetParam().killedAtFileSize)});
        ASSERT_TRUE(child.waitForFinished(60000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << "the first start was not killed inside the creation";
    }
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("Kubun_Table")), 3);
    EXPECT_EQ(count(QStringLiteral("Account"), QStringLiteral("test_ac_code")), 57);
}

const InterruptedStart kInterruptedStarts[] = {
    {"KilledAtTheFirstPage", 2048},
    {"KilledHalfway", 65536},
    {"KilledNearTheEnd", 126976},
    {"EmptyFileOfAnEarlierVersion", 0},
};
INSTANTIATE_TEST_SUITE_P(Embedded, AfterAnInterruptedFirstStart, testing::ValuesIn(kInterruptedStarts),
                         [](const testing::TestParamInfo<InterruptedStart>& row) { return std::string(row.param.name); });

// What an SQLite file is set to after its first open by this version; the file is one of an
// earlier version, in rollback-journal mode.
struct FileSetting {
    const char* name;
    const char* pragma;
    const char* value;
};

class EarlierFile : public testing::TestWithParam<FileSetting> {};

TEST_P(EarlierFile, IsSetOnItsFirstOpen) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("earlier.sqlite"));
    {
        const auto earlier = db::Database::openSQLite(path);
        earlier->exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
        earlier->exec(QStringLiteral("create table Kubun_Table (Kubun_Code varchar(5))"));
    }
    const auto database = db::Database::openSQLite(path);
    QSqlQuery q = database->run(QStringLiteral("PRAGMA %1").arg(QLatin1String(GetParam().pragma)));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QLatin1String(GetParam().value));
}

const FileSetting kFileSettings[] = {
    {"WriteAheadLog", "journal_mode", "wal"},
    {"SynchronousWritesKept", "synchronous", "2"},
    {"NoMemoryMap", "mmap_size", "0"},
};
INSTANTIATE_TEST_SUITE_P(SQLite, EarlierFile, testing::ValuesIn(kFileSettings),
                         [](const testing::TestParamInfo<FileSetting>& row) { return std::string(row.param.name); });

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
