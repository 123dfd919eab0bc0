#pragma once
// A platform_probe child process, and a private runtime folder for each test.

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

class Probe {
public:
    explicit Probe(const QStringList& args) {
        process_.start(QStringLiteral(PLATFORM_PROBE), args);
        process_.waitForStarted();
    }
    ~Probe() { kill(); }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    // The next line the probe prints; empty when it ended without one.
    QString readLine() {
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(30000)) return {};
        }
        return QString::fromUtf8(process_.readLine()).trimmed();
    }

    // Ends the probe the hard way: nothing of it gets to clean up.
    void kill() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished();
    }

private:
    QProcess process_;
};

// Points XDG_RUNTIME_DIR (and so every probe started meanwhile) at a fresh folder.
class RuntimeFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        saved_ = qgetenv("XDG_RUNTIME_DIR");
        hadSaved_ = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", folder_.path().toLocal8Bit());
    }
    void TearDown() override {
        if (hadSaved_) {
            qputenv("XDG_RUNTIME_DIR", saved_);
        } else {
            qunsetenv("XDG_RUNTIME_DIR");
        }
    }
    QString folder() const { return folder_.path(); }

private:
    QTemporaryDir folder_;
    QByteArray saved_;
    bool hadSaved_ = false;
};
