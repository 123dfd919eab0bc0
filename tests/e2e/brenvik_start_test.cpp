// Starting the built Brenvik program as a clerk would, twice and beside a renamed copy. Every
// process gets a home of its own (so a fresh embedded database); all share one runtime
// folder, where the instance locks and the windows live.

#include "platform/Window.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kStartTimeoutMs = 30000;

class Program {
public:
    Program(const QString& path, const QString& home, const QString& runtime) : home_(home) {
        QDir().mkpath(home);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start(path, {});
        process_.waitForStarted();
    }
    ~Program() { kill(); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The embedded database appears when the voucher form reads its office list.
    bool openedItsDatabase() const {
        return QFile::exists(home_ + QStringLiteral("/.local/share/dbengine/Account.sqlite"));
    }
    bool running() const { return process_.state() == QProcess::Running; }
    bool finished(int timeoutMs = kStartTimeoutMs) {
        return process_.state() == QProcess::NotRunning || process_.waitForFinished(timeoutMs);
    }
    int exitCode() const { return process_.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return process_.exitStatus(); }
    void kill() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished();
    }

private:
    QString home_;
    QProcess process_;
};

class BrenvikStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        runtime_ = dir_.filePath(QStringLiteral("run"));
        ASSERT_TRUE(QDir().mkpath(runtime_));
        QFile::setPermissions(runtime_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        saved_ = qgetenv("XDG_RUNTIME_DIR");
        hadSaved_ = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        // This process looks for the programs' windows in the same folder.
        qputenv("XDG_RUNTIME_DIR", runtime_.toLocal8Bit());
    }
    void TearDown() override {
        if (hadSaved_) {
            qputenv("XDG_RUNTIME_DIR", saved_);
        } else {
            qunsetenv("XDG_RUNTIME_DIR");
        }
    }

    std::unique_ptr<Program> start(const QString& home, const QString& program = QStringLiteral(BRENVIK_PROGRAM)) {
        return std::make_unique<Program>(program, dir_.filePath(home), runtime_);
    }

    // Waits until the program has a window of this title and its voucher form read the database.
    static bool comesUp(Program& p, const QString& title) {
        return QTest::qWaitFor([&] { return !p.running() || (platform::findWindow(title) != 0 && p.openedItsDatabase()); },
                               kStartTimeoutMs) &&
               p.running();
    }

    QString copyOfProgram(const QString& name) {
        const QString path = dir_.filePath(name);
        if (!QFile::copy(QStringLiteral(BRENVIK_PROGRAM), path)) return {};
        QFile::setPermissions(path, QFile::permissions(QStringLiteral(BRENVIK_PROGRAM)));
        return path;
    }

private:
    QTemporaryDir dir_;
    QString runtime_;
    QByteArray saved_;
    bool hadSaved_ = false;
};

TEST_F(BrenvikStartTest, ASecondStartHandsOverAndEndsBeforeItsFormsRun) {
    auto first = start(QStringLiteral("first"));
    ASSERT_TRUE(comesUp(*first, QStringLiteral("Brenvik")));
    const platform::WindowHandle running = platform::findWindow(QStringLiteral("Brenvik"));

    auto second = start(QStringLiteral("second"));
    ASSERT_TRUE(second->finished());
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    // It never got as far as the office list of its own voucher form.
    EXPECT_FALSE(second->openedItsDatabase());

    EXPECT_TRUE(first->running());
    EXPECT_EQ(platform::findWindow(QStringLiteral("Brenvik")), running);
    EXPECT_EQ(platform::getWindowText(running), QStringLiteral("Brenvik"));
}

TEST_F(BrenvikStartTest, ACopyUnderAnotherNameRunsBesideIt) {
    const QString copy = copyOfProgram(QStringLiteral("Sattvik"));
    ASSERT_FALSE(copy.isEmpty());
    auto brenvik = start(QStringLiteral("first"));
    ASSERT_TRUE(comesUp(*brenvik, QStringLiteral("Brenvik")));
    auto other = start(QStringLiteral("other"), copy);
    ASSERT_TRUE(comesUp(*other, QStringLiteral("Sattvik")));
    EXPECT_TRUE(brenvik->running());
    EXPECT_TRUE(other->running());
}

TEST_F(BrenvikStartTest, TheLockIsFreeAgainAfterTheFirstProcessDied) {
    auto first = start(QStringLiteral("first"));
    ASSERT_TRUE(comesUp(*first, QStringLiteral("Brenvik")));
    first->kill();

    auto next = start(QStringLiteral("next"));
    ASSERT_TRUE(comesUp(*next, QStringLiteral("Brenvik")));
    EXPECT_TRUE(next->running());
}

}  // namespace

namespace {

// Both programs run at once, each a single instance of its own.
TEST_F(BrenvikStartTest, SattrelRunsBesideBrenvikAndASecondSattrelHandsOver) {
    auto brenvik = start(QStringLiteral("brenvik"));
    ASSERT_TRUE(comesUp(*brenvik, QStringLiteral("Brenvik")));
    auto sattrel = start(QStringLiteral("sattrel"), QStringLiteral(SATTREL_PROGRAM));
    ASSERT_TRUE(comesUp(*sattrel, QStringLiteral("Sattrel")));
    const platform::WindowHandle running = platform::findWindow(QStringLiteral("Sattrel"));

    auto second = start(QStringLiteral("second"), QStringLiteral(SATTREL_PROGRAM));
    ASSERT_TRUE(second->finished());
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_FALSE(second->openedItsDatabase());
    EXPECT_TRUE(sattrel->running());
    EXPECT_TRUE(brenvik->running());
    EXPECT_EQ(platform::findWindow(QStringLiteral("Sattrel")), running);
}

}  // namespace
