// dbsetup: creates the tables of the voucher programs with their indexes (and, with --demo,
// the demo master data) in an empty PostgreSQL database, all in one transaction; the trigram
// index of the grid needs the extension pg_trgm, which it creates when the database lacks it.
// Refuses when any of the tables already exists, so a company's data is never touched.
//
//   dbsetup [--demo] "host=... port=... dbname=... user=..."
//
// A password the connection string does not hold is asked for on the terminal.

#include "db/Backends.h"
#include "db/Database.h"
#include "db/Dialect.h"
#include "db/Error.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

// The table a "create table" statement makes; empty for other statements.
QString createdTable(const QString& statement) {
    QStringList words;
    std::vector<db::Token> tokens;
    try {
        tokens = db::tokenize(statement);
    } catch (const db::Error&) {
        return QString();  // a server's own syntax (a DO block), which creates no table
    }
    for (const db::Token& t : tokens) {
        if (t.kind == db::Token::Kind::Blank || t.kind == db::Token::Kind::Comment) continue;
        if (t.kind != db::Token::Kind::Word && t.kind != db::Token::Kind::QuotedIdent) break;
        words << t.text;
        if (words.size() == 6) break;
    }
    if (words.size() < 3 || words[0].compare(QLatin1String("create"), Qt::CaseInsensitive) != 0 ||
        words[1].compare(QLatin1String("table"), Qt::CaseInsensitive) != 0)
        return QString();
    // "create table if not exists <name>"
    if (words[2].compare(QLatin1String("if"), Qt::CaseInsensitive) == 0) return words.size() > 5 ? words[5] : QString();
    return words[2];
}

QStringList tablesOf(const QStringList& statements) {
    QStringList tables;
    for (const QString& s : statements) {
        const QString table = createdTable(s);
        if (!table.isEmpty()) tables << table;
    }
    return tables;
}

// Reads a line from the terminal without echoing it; nothing when stdin is no terminal
// or the user ends the input.
std::optional<QString> readHiddenLine(const QString& question) {
    if (!isatty(STDIN_FILENO)) return std::nullopt;
    err() << question << Qt::flush;
    termios saved{};
    tcgetattr(STDIN_FILENO, &saved);
    termios hidden = saved;
    hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &hidden);
    std::string line;
    const bool got = static_cast<bool>(std::getline(std::cin, line));
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    err() << "\n" << Qt::flush;
    if (!got) return std::nullopt;
    return QString::fromStdString(line);
}

std::optional<db::Credentials> askOnTerminal(const QString&, const QString& user, const QString& failure) {
    if (!failure.isEmpty()) err() << "dbsetup: login refused: " << failure.trimmed() << "\n";
    const auto password = readHiddenLine(QStringLiteral("Password for %1: ").arg(user));
    if (!password) return std::nullopt;
    return db::Credentials{user, *password};
}

int setUp(const QString& connection, bool demo) {
    db::Database::setLoginPrompt(&askOnTerminal);
    std::unique_ptr<db::Database> database;
    try {
        database = db::Database::openPostgres(connection);
    } catch (const db::LoginCancelled& e) {
        err() << "dbsetup: cannot connect: " << e.message() << "\n";
        err() << "dbsetup: give the password in the connection string (password=...), in PGPASSWORD, "
                 "or run dbsetup on a terminal\n";
        return 1;
    } catch (const db::Error& e) {
        err() << "dbsetup: cannot connect: " << e.message() << "\n";
        return 1;
    }

    const QStringList schema = db::detail::schemaStatements(database->backend());
    const QStringList tables = tablesOf(schema);
    QStringList existing;
    for (const QString& t : tables)
        if (database->hasTable(t)) existing << t;
    if (!existing.isEmpty()) {
        err() << "dbsetup: the database already holds the tables " << existing.join(QStringLiteral(", "))
              << "; nothing was changed. Run dbsetup on an empty database.\n";
        return 1;
    }

    try {
        database->executeScript(demo ? schema + db::detail::demoStatements() : schema);
    } catch (const db::Error& e) {
        err() << "dbsetup: setting up failed, nothing was changed: " << e.message() << "\n";
        return 1;
    }
    out() << "Created the tables " << tables.join(QStringLiteral(", "));
    out() << (demo ? " with the demo master data.\n" : ".\n") << Qt::flush;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Creates the tables of the voucher programs in an empty PostgreSQL database."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("demo"), QStringLiteral("Also load the demo master data (offices, accounts, ...).")});
    parser.addPositionalArgument(QStringLiteral("connection"),
                                 QStringLiteral("libpq connection string: \"host=... port=... dbname=... user=...\""));
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1) {
        err() << "dbsetup: give exactly one connection string\n\n" << parser.helpText() << Qt::flush;
        return 2;
    }
    const int status = setUp(args.front(), parser.isSet(QStringLiteral("demo")));
    db::Database::closeAll();
    return status;
}
