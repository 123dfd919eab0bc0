// The login that the server asks for: the engine's prompt is asked again after a refusal,
// a cancel raises "Login cancelled", an alias without a password asks through it, and the
// real login dialog does all of this for a clerk.

#include "tests/postgres/PgServer.h"

#include "db/Database.h"
#include "db/Error.h"
#include "db/Query.h"
#include "toolkit/Application.h"
#include "db/qt/LoginDialog.h"
#include "programs/ProgramBlock.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QHostAddress>
#include <QTcpServer>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

namespace {

using pgtest::ConnectionString;

struct Asked {
    QString alias, user, failure;
};

// A login prompt that answers from a list (nothing = cancel) and remembers what it was asked.
class ScriptedPrompt {
public:
    explicit ScriptedPrompt(std::vector<std::optional<QString>> passwords) : passwords_(std::move(passwords)) {}
    db::LoginPrompt prompt() {
        return [this](const QString& alias, const QString& user, const QString& failure) -> std::optional<db::Credentials> {
            asked_.push_back({alias, user, failure});
            if (asked_.size() > passwords_.size()) return std::nullopt;
            const auto& answer = passwords_[asked_.size() - 1];
            if (!answer) return std::nullopt;
            return db::Credentials{user, *answer};
        };
    }
    const std::vector<Asked>& asked() const { return asked_; }

private:
    std::vector<std::optional<QString>> passwords_;
    std::vector<Asked> asked_;
};

void expectWorks(db::Database& database) {
    db::Query q(database);
    q.setSql({QStringLiteral("select current_user as who")});
    q.open();
    EXPECT_EQ(q.fieldText(QStringLiteral("who")), QStringLiteral("vqadmin"));
}

class Login : public pgtest::ServerTest {
protected:
    void SetUp() override {
        pgtest::ServerTest::SetUp();
        if (HasFatalFailure()) return;
        // The tests' logins come from the prompt alone, never from the caller's libpq files.
        qunsetenv("PGPASSWORD");
        qputenv("PGPASSFILE", "/nonexistent/pgpass");
    }
};

TEST_P(Login, ThePromptIsAskedAgainAfterAWrongPassword) {
    ScriptedPrompt clerk({QStringLiteral("wrong"), password()});
    db::Database::setLoginPrompt(clerk.prompt());

    const auto database = db::Database::openPostgres(serverWithoutPassword().text());
    expectWorks(*database);

    ASSERT_EQ(clerk.asked().size(), 2u);
    EXPECT_EQ(clerk.asked()[0].user, QStringLiteral("vqadmin"));
    EXPECT_TRUE(clerk.asked()[0].failure.isEmpty()) << clerk.asked()[0].failure.toStdString();
    EXPECT_TRUE(clerk.asked()[1].failure.contains(QStringLiteral("password authentication failed")))
        << clerk.asked()[1].failure.toStdString();
}

TEST_P(Login, AWrongPasswordInTheConnectionStringAsksWithTheServersMessage) {
    ScriptedPrompt clerk({password()});
    db::Database::setLoginPrompt(clerk.prompt());

    const ConnectionString wrong = server().with(QStringLiteral("password"), QStringLiteral("stale"));
    const auto database = db::Database::openPostgres(wrong.text());
    expectWorks(*database);
    ASSERT_EQ(clerk.asked().size(), 1u);
    EXPECT_TRUE(clerk.asked()[0].failure.contains(QStringLiteral("password authentication failed")));
}

TEST_P(Login, ACancelRaisesLoginCancelledAtOnceOrAfterRefusals) {
    ScriptedPrompt quitter({std::nullopt});
    db::Database::setLoginPrompt(quitter.prompt());
    try {
        db::Database::openPostgres(serverWithoutPassword().text());
        FAIL() << "connected without a password";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Login cancelled"));
    }
    EXPECT_EQ(quitter.asked().size(), 1u);

    ScriptedPrompt guesser({QStringLiteral("a"), QStringLiteral("b"), std::nullopt});
    db::Database::setLoginPrompt(guesser.prompt());
    try {
        db::Database::openPostgres(serverWithoutPassword().text());
        FAIL() << "connected with wrong passwords";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Login cancelled"));
    }
    ASSERT_EQ(guesser.asked().size(), 3u);
    EXPECT_FALSE(guesser.asked()[2].failure.isEmpty());
}

// "Account" named in the engine's configuration file, without a password.
class AccountOnServer : public Login {
protected:
    void SetUp() override {
        Login::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(config_.isValid());
        savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        ASSERT_TRUE(QDir().mkpath(config_.path() + QStringLiteral("/dbengine")));
        QFile ini(db::Database::configFilePath());
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Account]\ndriver=postgresql\nconnection=" + serverWithoutPassword().text().toUtf8() + "\n");
        ini.close();
        db::Database::closeAll();
        tk::Application::instance().reset();
        tk::Application::instance().initialize(QStringLiteral("Brenvik"));
    }
    void TearDown() override {
        Login::TearDown();
        tk::Application::instance().reset();
        qputenv("XDG_CONFIG_HOME", savedConfigHome_);
    }

    // Acts on each login dialog that opens, in turn, as a clerk would.
    using DialogStep = std::function<void(dbqt::LoginDialog&)>;
    void answerDialogs(std::vector<DialogStep> steps) {
        steps_ = std::move(steps);
        handled_ = 0;
        watcher_.setInterval(20);
        QObject::connect(&watcher_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<dbqt::LoginDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool()) return;
            dialog->setProperty("answered", true);
            if (handled_ < steps_.size())
                steps_[handled_](*dialog);
            else
                QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
            ++handled_;
        });
        watcher_.start();
    }
    size_t dialogsShown() const { return handled_; }

    QTemporaryDir config_;
    QByteArray savedConfigHome_;
    QTimer watcher_;
    std::vector<DialogStep> steps_;
    size_t handled_ = 0;
};

TEST_P(AccountOnServer, TheAliasAsksForTheMissingPasswordByName) {
    ScriptedPrompt clerk({password()});
    db::Database::setLoginPrompt(clerk.prompt());

    db::Query q;  // on the alias "Account"
    q.setSql({QStringLiteral("select current_user as who")});
    q.open();
    EXPECT_EQ(q.fieldText(QStringLiteral("who")), QStringLiteral("vqadmin"));
    ASSERT_EQ(clerk.asked().size(), 1u);
    EXPECT_EQ(clerk.asked()[0].alias, QStringLiteral("Account"));
    EXPECT_EQ(clerk.asked()[0].user, QStringLiteral("vqadmin"));

    // The alias stays connected: no second login for the next query.
    db::Query again;
    again.setSql({QStringLiteral("select 1 as one")});
    again.open();
    EXPECT_EQ(clerk.asked().size(), 1u);
}

TEST_P(AccountOnServer, TheLoginDialogSaysAWrongPasswordIsRefusedAndAsksAgain) {
    dbqt::installLoginDialog();
    QString shownFailure;
    bool okEnabledWithoutUser = true;
    answerDialogs({
        [&](dbqt::LoginDialog& d) {
            EXPECT_EQ(d.userEdit()->text(), QStringLiteral("vqadmin"));
            EXPECT_FALSE(d.failureLabel()->isVisible());
            QTest::keyClicks(d.passwordEdit(), QStringLiteral("guess"));
            QTest::keyClick(d.passwordEdit(), Qt::Key_Return);
        },
        [&](dbqt::LoginDialog& d) {
            shownFailure = d.failureLabel()->isVisible() ? d.failureLabel()->text() : QString();
            d.userEdit()->clear();
            okEnabledWithoutUser = d.okButton()->isEnabled();
            QTest::keyClicks(d.userEdit(), QStringLiteral("vqadmin"));
            QTest::keyClicks(d.passwordEdit(), password());
            QTest::mouseClick(d.okButton(), Qt::LeftButton);
        },
    });

    EXPECT_TRUE(connectAtStart(QStringLiteral("Account")));
    EXPECT_EQ(dialogsShown(), 2u);
    EXPECT_TRUE(shownFailure.contains(QStringLiteral("password authentication failed"))) << shownFailure.toStdString();
    EXPECT_FALSE(okEnabledWithoutUser);
    expectWorks(db::Database::alias(QStringLiteral("Account")));
    auto* recorded = dynamic_cast<tk::RecordingMessageService*>(&tk::Application::instance().messages());
    ASSERT_NE(recorded, nullptr);
    EXPECT_TRUE(recorded->log().empty()) << recorded->texts().join(QLatin1Char('\n')).toStdString();
}

TEST_P(AccountOnServer, CancellingTheLoginDialogEndsTheStartWithAMessage) {
    dbqt::installLoginDialog();
    answerDialogs({[](dbqt::LoginDialog& d) { QTest::mouseClick(d.cancelButton(), Qt::LeftButton); }});

    EXPECT_FALSE(connectAtStart(QStringLiteral("Account")));
    EXPECT_EQ(dialogsShown(), 1u);
    auto* recorded = dynamic_cast<tk::RecordingMessageService*>(&tk::Application::instance().messages());
    ASSERT_NE(recorded, nullptr);
    EXPECT_EQ(recorded->texts(), QStringList{dbqt::loginCancelledMessage()});
}

TEST_P(AccountOnServer, AServerThatIsNotThereLetsTheStartGoOnToTheFormsErrorDialogs) {
    // Point "Account" at a port nobody listens on.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString port = QString::number(probe.serverPort());
    probe.close();
    QFile ini(db::Database::configFilePath());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Account]\ndriver=postgresql\nconnection=" +
              serverWithoutPassword().with(QStringLiteral("port"), port).text().toUtf8() + "\n");
    ini.close();
    dbqt::installLoginDialog();

    EXPECT_TRUE(connectAtStart(QStringLiteral("Account")));
    EXPECT_EQ(dialogsShown(), 0u);
    auto* recorded = dynamic_cast<tk::RecordingMessageService*>(&tk::Application::instance().messages());
    ASSERT_NE(recorded, nullptr);
    EXPECT_TRUE(recorded->log().empty());
    // The forms' first query then reports the refusal as an error.
    db::Query q;
    q.setSql({QStringLiteral("select 1 as one")});
    EXPECT_THROW(q.open(), db::Error);
}

VQ_ON_POSTGRES(Login);
VQ_ON_POSTGRES(AccountOnServer);

}  // namespace
