#include "tests/postgres/PgServer.h"

#include "db/Error.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
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
    running_ = false;
    bool ok = false;
    const QString output = runScript({QStringLiteral("stop"), dir_}, &ok);
    if (!ok) ADD_FAILURE() << "could not stop the second server: " << output.toStdString();
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
