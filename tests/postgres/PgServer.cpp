#include "tests/postgres/PgServer.h"

#include "db/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <csignal>
#include <stdexcept>

namespace pgtest {

ConnectionString::ConnectionString(const QString& text) {
    for (const QString& part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq > 0) parts_.emplace_back(part.left(eq), part.mid(eq + 1));
    }
}

QString ConnectionString::value(const QString& key) const {
    for (const auto& [k, v] : parts_)
        if (k == key) return v;
    return QString();
}

ConnectionString ConnectionString::with(const QString& key, const QString& value) const {
    ConnectionString result = without(key);
    result.parts_.emplace_back(key, value);
    return result;
}

ConnectionString ConnectionString::without(const QString& key) const {
    ConnectionString result;
    for (const auto& part : parts_)
        if (part.first != key) result.parts_.push_back(part);
    return result;
}

QString ConnectionString::text() const {
    QStringList out;
    for (const auto& [k, v] : parts_) out << k + QLatin1Char('=') + v;
    return out.join(QLatin1Char(' '));
}

void exec(db::Database& database, const QString& statement) {
    QSqlQuery q(database.handle());
    if (!q.exec(statement)) throw db::Error(q.lastError().text() + QStringLiteral("\nin: ") + statement);
}

QString scalar(db::Database& database, const QString& statement) {
    QSqlQuery q(database.handle());
    if (!q.exec(statement) || !q.next()) throw db::Error(q.lastError().text() + QStringLiteral("\nin: ") + statement);
    return q.value(0).toString();
}

// --- scratch databases ---------------------------------------------------------------------------

ScratchDatabase::ScratchDatabase(const ConnectionString& server) : server_(server) {
    // Parallel test processes share the server: the name carries the process and a random part.
    static int counter = 0;
    name_ = QStringLiteral("vq_scratch_%1_%2_%3")
                .arg(QCoreApplication::applicationPid())
                .arg(++counter)
                .arg(QRandomGenerator::global()->generate() % 100000);
    const auto admin = db::Database::openPostgres(server_.text());
    exec(*admin, QStringLiteral("CREATE DATABASE %1").arg(name_));
}

ScratchDatabase::~ScratchDatabase() {
    try {
        const auto admin = db::Database::openPostgres(server_.text());
        exec(*admin, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
    } catch (const db::Error& e) {
        ADD_FAILURE() << "could not drop the scratch database " << name_.toStdString() << ": " << e.what();
    }
}

// --- a second server ---------------------------------------------------------------------------

namespace {

QString serverScript() {
    return QStringLiteral(VQ_SOURCE_DIR "/scripts/pg-test-server.sh");
}

QString runScript(const QStringList& args, bool* ok) {
    QProcess p;
    p.start(QStringLiteral("bash"), QStringList{serverScript()} + args);
    const bool finished = p.waitForFinished(120000);
    *ok = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return QString::fromUtf8(p.readAllStandardOutput()) + QString::fromUtf8(p.readAllStandardError());
}

}  // namespace

ThrowawayServer::ThrowawayServer()
    : dir_(QStringLiteral("/tmp/vq-pg2-%1-%2")
               .arg(QCoreApplication::applicationPid())
               .arg(QRandomGenerator::global()->generate() % 1000000)) {
    bool ok = false;
    const QString output = runScript({QStringLiteral("start"), dir_}, &ok);
    if (!ok) {
        runScript({QStringLiteral("stop"), dir_}, &ok);
        throw std::runtime_error("could not start a second PostgreSQL server:\n" + output.toStdString());
    }
    running_ = true;
    const QRegularExpression line(QStringLiteral("^export VQ_TEST_PG='([^']*)'$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = line.match(output);
    if (!m.hasMatch()) {
        stop();
        throw std::runtime_error("the server script printed no connection:\n" + output.toStdString());
    }
    connection_ = ConnectionString(m.captured(1));
}

ThrowawayServer::~ThrowawayServer() {
    stop();
}

void ThrowawayServer::stop() {
    if (!running_) return;
    resume();
    running_ = false;
    bool ok = false;
    const QString output = runScript({QStringLiteral("stop"), dir_}, &ok);
    if (!ok) ADD_FAILURE() << "could not stop the second server: " << output.toStdString();
}

void ThrowawayServer::restart() {
    bool ok = false;
    const QString output = runScript({QStringLiteral("restart"), dir_}, &ok);
    if (!ok) throw std::runtime_error("could not restart the second server:\n" + output.toStdString());
}

qint64 ThrowawayServer::postmasterPid() const {
    QFile pidFile(dir_ + QStringLiteral("/data/postmaster.pid"));
    if (!pidFile.open(QIODevice::ReadOnly)) throw std::runtime_error("the second server has no postmaster.pid");
    bool ok = false;
    const qint64 pid = QString::fromLatin1(pidFile.readLine()).trimmed().toLongLong(&ok);
    if (!ok || pid <= 1) throw std::runtime_error("the second server's postmaster.pid names no process");
    return pid;
}

namespace {

// The children of a process, from /proc (each server process is a session of its own, so no
// process group holds them all).
std::vector<qint64> childrenOf(qint64 parent) {
    std::vector<qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid) continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) continue;
        // "pid (name) state ppid ...": the name may hold blanks, so read after its ")".
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == parent) children.push_back(pid);
    }
    return children;
}

}  // namespace

// The postmaster first, so that it starts no process while the others are stopped.
void ThrowawayServer::pause() {
    if (!paused_.empty()) return;
    const qint64 postmaster = postmasterPid();
    paused_.push_back(postmaster);
    ::kill(static_cast<pid_t>(postmaster), SIGSTOP);
    for (qint64 child : childrenOf(postmaster)) {
        paused_.push_back(child);
        ::kill(static_cast<pid_t>(child), SIGSTOP);
    }
}

void ThrowawayServer::resume() {
    for (qint64 pid : paused_) ::kill(static_cast<pid_t>(pid), SIGCONT);
    paused_.clear();
}

PausedServer::PausedServer(ThrowawayServer& server, std::chrono::milliseconds longest) {
    server.pause();
    resumer_ = std::thread([this, &server, longest] {
        std::unique_lock<std::mutex> lock(mutex_);
        ended_.wait_for(lock, longest, [this] { return over_; });
        server.resume();
    });
}

PausedServer::~PausedServer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        over_ = true;
    }
    ended_.notify_all();
    resumer_.join();
}

// --- fixture -----------------------------------------------------------------------------------

void ServerTest::SetUp() {
    const QString text = qEnvironmentVariable("VQ_TEST_PG");
    if (text.isEmpty())
        FAIL() << "VQ_TEST_PG is not set: these tests need the PostgreSQL server that scripts/test.sh starts; "
                  "run them through scripts/test.sh (or start one with scripts/pg-test-server.sh and eval its output)";
    server_ = ConnectionString(text);
    if (password().isEmpty()) FAIL() << "VQ_TEST_PG holds no password: " << text.toStdString();
    db::Database::setLoginPrompt(nullptr);
}

void ServerTest::TearDown() {
    db::Database::closeAll();
    db::Database::setLoginPrompt(nullptr);
}

}  // namespace pgtest
