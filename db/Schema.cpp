// The DDL of each backend, generated from the one portable description in schema/tables.txt,
// and the demo master data of schema/demo.sql.
#include "db/Backends.h"
#include "db/Dialect.h"

#include <QFile>

namespace db::detail {

namespace {

struct Column {
    QString name;
    enum class Type { Text, Double, DateTime } type = Type::Text;
    int width = 0;
    bool required = false;
};

struct Table {
    QString name;
    std::vector<Column> columns;
    QStringList primary, unique;
    std::vector<QStringList> indexes;
};

QString readResource(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw Error(QStringLiteral("The engine's resource %1 is missing").arg(path));
    return QString::fromUtf8(f.readAll());
}

[[noreturn]] void badLine(int number, const QString& line) {
    throw Error(QStringLiteral("The table description, line %1, cannot be read: \"%2\"").arg(number).arg(line));
}

Column parseColumn(const QStringList& words, int number, const QString& line) {
    Column c;
    c.name = words[0];
    if (words.size() < 2) badLine(number, line);
    int next = 2;
    if (words[1] == QLatin1String("text")) {
        bool ok = false;
        c.width = words.value(2).toInt(&ok);
        if (!ok || c.width <= 0) badLine(number, line);
        next = 3;
    } else if (words[1] == QLatin1String("double")) {
        c.type = Column::Type::Double;
    } else if (words[1] == QLatin1String("datetime")) {
        c.type = Column::Type::DateTime;
    } else {
        badLine(number, line);
    }
    if (words.size() > next + 1 || (words.size() == next + 1 && words[next] != QLatin1String("required"))) badLine(number, line);
    c.required = words.size() == next + 1;
    return c;
}

std::vector<Table> readDescription() {
    std::vector<Table> tables;
    const QStringList lines = readResource(QStringLiteral(":/db/schema/tables.txt")).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words[0] == QLatin1String("table")) {
            if (words.size() != 2) badLine(i + 1, line);
            tables.push_back(Table{words[1], {}, {}, {}, {}});
            continue;
        }
        if (tables.empty()) badLine(i + 1, line);
        Table& t = tables.back();
        const QStringList rest = words.mid(1);
        if (words[0] == QLatin1String("primary")) {
            t.primary = rest;
        } else if (words[0] == QLatin1String("unique")) {
            t.unique = rest;
        } else if (words[0] == QLatin1String("index")) {
            t.indexes.push_back(rest);
        } else {
            t.columns.push_back(parseColumn(words, i + 1, line));
        }
    }
    return tables;
}

QString columnDefinition(const Table& t, const Column& c, Backend backend) {
    QString d = c.name + QLatin1Char(' ');
    switch (c.type) {
    case Column::Type::Text:
        if (backend == Backend::SQLite) {
            // Trailing blanks do not count when texts are compared, as on the fixed-width original.
            d += QStringLiteral("TEXT COLLATE RTRIM");
        } else {
            // No length in the type: varchar(n) would cut blanks beyond n without a word; the
            // check below refuses them as any other character.
            d += QStringLiteral("varchar");
        }
        break;
    case Column::Type::Double:
        d += backend == Backend::SQLite ? QStringLiteral("REAL") : QStringLiteral("double precision");
        break;
    case Column::Type::DateTime:
        d += backend == Backend::SQLite ? QStringLiteral("DATETIME") : QStringLiteral("timestamp(0)");
        break;
    }
    if (c.required) d += QStringLiteral(" NOT NULL");
    if (c.type == Column::Type::Text) {
        // The named check refuses a text that is too long, saying which column and how long.
        d += QStringLiteral(" CONSTRAINT \"%1.%2 holds at most %3 characters\" CHECK (%4(%2) <= %3)")
                 .arg(t.name, c.name)
                 .arg(c.width)
                 .arg(backend == Backend::SQLite ? QStringLiteral("length") : QStringLiteral("char_length"));
    }
    return d;
}

QStringList tableStatements(const Table& t, Backend backend) {
    QStringList parts;
    for (const Column& c : t.columns) parts << columnDefinition(t, c, backend);
    if (!t.primary.isEmpty())
        parts << QStringLiteral("CONSTRAINT %1_pkey PRIMARY KEY (%2)").arg(t.name, t.primary.join(QStringLiteral(", ")));
    if (!t.unique.isEmpty())
        parts << QStringLiteral("CONSTRAINT %1_%2_key UNIQUE (%3)")
                     .arg(t.name, t.unique.join(QLatin1Char('_')), t.unique.join(QStringLiteral(", ")));
    QStringList statements;
    statements << QStringLiteral("CREATE TABLE %1 (\n    %2\n)").arg(t.name, parts.join(QStringLiteral(",\n    ")));
    for (const QStringList& index : t.indexes) {
        // "a+b" indexes the joined text of columns a and b, as the statements compare it.
        QStringList keys;
        for (const QString& key : index) {
            const QStringList joined = key.split(QLatin1Char('+'));
            keys << (joined.size() == 1 ? key : QLatin1Char('(') + joined.join(QStringLiteral(" || ")) + QLatin1Char(')'));
        }
        QString name = index.join(QLatin1Char('_'));
        name.replace(QLatin1Char('+'), QLatin1Char('_'));
        statements << QStringLiteral("CREATE INDEX %1_%2 ON %1 (%3)").arg(t.name, name, keys.join(QStringLiteral(", ")));
    }
    return statements;
}

}  // namespace

QStringList schemaStatements(Backend backend) {
    QStringList statements;
    for (const Table& t : readDescription()) statements << tableStatements(t, backend);
    return statements;
}

QStringList demoStatements() {
    const QString script = readResource(QStringLiteral(":/db/schema/demo.sql"));
    QStringList statements;
    QString current;
    bool hasContent = false;
    for (const Token& t : tokenize(script)) {
        if (t.kind == Token::Kind::Punct && t.text == QLatin1String(";")) {
            if (hasContent) statements << current.trimmed();
            current.clear();
            hasContent = false;
            continue;
        }
        if (t.kind == Token::Kind::Comment) continue;
        if (t.kind != Token::Kind::Blank) hasContent = true;
        current += t.text;
    }
    if (hasContent) statements << current.trimmed();
    return statements;
}

QString statementExcerpt(const QString& sql) {
    const QString simple = sql.simplified();
    return simple.size() > 100 ? simple.left(100) + QStringLiteral("...") : simple;
}

}  // namespace db::detail
