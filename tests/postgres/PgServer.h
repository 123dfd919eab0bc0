#pragma once
// The PostgreSQL server the test command starts (VQ_TEST_PG), scratch databases on it, a
// second throwaway server that a test can stop, and the fixture the tests here share.

#include "db/Database.h"

#include <gtest/gtest.h>

#include <QString>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace pgtest {

// A libpq connection string as key=value pairs (the test servers' values hold no blanks).
class ConnectionString {
public:
    ConnectionString() = default;
    explicit ConnectionString(const QString& text);
    QString value(const QString& key) const;
    ConnectionString with(const QString& key, const QString& value) const;
    ConnectionString without(const QString& key) const;
    QString text() const;

private:
    std::vector<std::pair<QString, QString>> parts_;
};

// A database of its own on the test server, dropped (with its connections) at the end.
class ScratchDatabase {
public:
    explicit ScratchDatabase(const ConnectionString& server);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    const QString& name() const { return name_; }
    ConnectionString connection() const { return server_.with(QStringLiteral("dbname"), name_); }

private:
    ConnectionString server_;
    QString name_;
};

// A second server of its own, started by the test command's script, for tests that stop,
// restart or pause it.
class ThrowawayServer {
public:
    ThrowawayServer();  // throws std::runtime_error with the script's output when it fails
    ~ThrowawayServer();
    ThrowawayServer(const ThrowawayServer&) = delete;
    ThrowawayServer& operator=(const ThrowawayServer&) = delete;

    const ConnectionString& connection() const { return connection_; }
    void stop();
    // As an administrator's restart: every session ends, the server comes back on its port.
    void restart();
    // Stops every process of the server (SIGSTOP), as a server that hangs; resume() lets them go on.
    void pause();
    void resume();

private:
    qint64 postmasterPid() const;
    QString dir_;
    ConnectionString connection_;
    bool running_ = false;
    std::vector<qint64> paused_;  // processes stopped by pause()
};

// Pauses a server for its lifetime, or `longest` at most: the server goes on whatever ends
// the test, and a client that waits for it without bound is released to fail its test.
class PausedServer {
public:
    PausedServer(ThrowawayServer& server, std::chrono::milliseconds longest);
    ~PausedServer();
    PausedServer(const PausedServer&) = delete;
    PausedServer& operator=(const PausedServer&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool over_ = false;
    std::thread resumer_;
};

// Runs a statement that is no query of the programs (database administration); throws db::Error.
void exec(db::Database& database, const QString& statement);
// The single value of a one-row, one-column query; throws db::Error.
QString scalar(db::Database& database, const QString& statement);

// Base of every test here: fails, telling to use scripts/test.sh, when VQ_TEST_PG is not set;
// forgets the aliases and the login prompt after each test.
class ServerTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override;
    void TearDown() override;
    // The server's connection string, with the password.
    const ConnectionString& server() const { return server_; }
    // The same without the password, and the password alone.
    ConnectionString serverWithoutPassword() const { return server_.without(QStringLiteral("password")); }
    QString password() const { return server_.value(QStringLiteral("password")); }

private:
    ConnectionString server_;
};

}  // namespace pgtest

// Test names end in /PostgreSQL: they run on that engine only.
#define VQ_ON_POSTGRES(Fixture)                                                           \
    INSTANTIATE_TEST_SUITE_P(Server, Fixture, ::testing::Values("PostgreSQL"),            \
                             [](const ::testing::TestParamInfo<const char*>& paramInfo) {      \
                                 return std::string(paramInfo.param);                          \
                             })
