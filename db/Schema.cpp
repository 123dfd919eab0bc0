// The DDL of each backend, generated from the one portable description in schema/tables.txt,
// and the demo master data of schema/demo.sql.
#include "db/Backends.h"
#include "db/Dialect.h"

#include <QFile>
#include <map>

namespace db::detail {

namespace {

struct Column {
    QString name;
    ColumnType type = ColumnType::Text;
    int width = 0;
    bool required = false;
};

struct Index {
    QString name;      // follows the table's name and "_"
    QStringList keys;  // columns, or expressions as the statements write them
};

// An index for LIKE patterns that begin with "%" (see SearchIndex).
struct Search {
    QString name, expression;
    QStringList within, also;
};

struct Table {
    QString name;
    std::vector<Column> columns;
    QStringList primary, unique;
    std::vector<Index> indexes;
    std::vector<Search> searches;
};

struct IndexDefinition {
    QString table, name, statement;
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
        c.type = ColumnType::Double;
    } else if (words[1] == QLatin1String("datetime")) {
        c.type = ColumnType::DateTime;
    } else {
        badLine(number, line);
    }
    if (words.size() > next + 1 || (words.size() == next + 1 && words[next] != QLatin1String("required"))) badLine(number, line);
    c.required = words.size() == next + 1;
    return c;
}

// "<name> = <words>" gives the name and the words; plain "<words>" no name.
std::pair<QString, QStringList> named(const QStringList& words) {
    if (words.size() >= 3 && words[1] == QLatin1String("=")) return {words[0], words.mid(2)};
    return {QString(), words};
}

bool isPlainName(const QString& key) {
    for (const QChar c : key)
        if (!c.isLetterOrNumber() && c != QLatin1Char('_')) return false;
    return !key.isEmpty();
}

Index parseIndex(const QStringList& words, int number, const QString& line) {
    auto [name, keys] = named(words);
    if (keys.isEmpty()) badLine(number, line);
    if (name.isEmpty()) {
        // Unnamed indexes are named after their columns ("a+b" as "a_b").
        for (const QString& key : keys)
            if (!isPlainName(QString(key).remove(QLatin1Char('+')))) badLine(number, line);
        name = keys.join(QLatin1Char('_')).replace(QLatin1Char('+'), QLatin1Char('_'));
    }
    return Index{name, keys};
}

Search parseSearch(const QStringList& words, int number, const QString& line) {
    const auto [name, rest] = named(words);
    if (name.isEmpty() || rest.isEmpty()) badLine(number, line);
    Search s{name, rest[0], {}, {}};
    QStringList* list = nullptr;
    for (const QString& word : rest.mid(1)) {
        if (word == QLatin1String("within")) {
            list = &s.within;
        } else if (word == QLatin1String("also")) {
            list = &s.also;
        } else if (list && isPlainName(word)) {
            *list << word;
        } else {
            badLine(number, line);
        }
    }
    return s;
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
            tables.push_back(Table{words[1], {}, {}, {}, {}, {}});
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
            t.indexes.push_back(parseIndex(rest, i + 1, line));
        } else if (words[0] == QLatin1String("search")) {
            t.searches.push_back(parseSearch(rest, i + 1, line));
        } else {
            t.columns.push_back(parseColumn(words, i + 1, line));
        }
    }
    return tables;
}

QString columnDefinition(const Table& t, const Column& c, const ServerBackend& backend) {
    QString d = c.name + QLatin1Char(' ') + backend.columnType(c.type);
    if (c.required) d += QStringLiteral(" NOT NULL");
    if (c.type == ColumnType::Text) {
        // The named check refuses a text that is too long, saying which column and how long.
        d += QStringLiteral(" CONSTRAINT \"%1.%2 holds at most %3 characters\" CHECK (%4(%2) <= %3)")
                 .arg(t.name, c.name)
                 .arg(c.width)
                 .arg(backend.textLengthFunction());
    }
    return d;
}

QString tableStatement(const Table& t, const ServerBackend& backend) {
    QStringList parts;
    for (const Column& c : t.columns) parts << columnDefinition(t, c, backend);
    if (!t.primary.isEmpty())
        parts << QStringLiteral("CONSTRAINT %1_pkey PRIMARY KEY (%2)").arg(t.name, t.primary.join(QStringLiteral(", ")));
    if (!t.unique.isEmpty())
        parts << QStringLiteral("CONSTRAINT %1_%2_key UNIQUE (%3)")
                     .arg(t.name, t.unique.join(QLatin1Char('_')), t.unique.join(QStringLiteral(", ")));
    return QStringLiteral("CREATE TABLE %1 (\n    %2\n)").arg(t.name, parts.join(QStringLiteral(",\n    ")));
}

QStringList textColumnsOf(const std::vector<Table>& tables) {
    QStringList names;
    for (const Table& t : tables)
        for (const Column& c : t.columns)
            if (c.type == ColumnType::Text) names << c.name.toLower();
    return names;
}

// An expression of the description in the backend's words, as the statements it serves are translated.
QString translated(const QString& expression, Backend backend, const QStringList& textColumns) {
    const Translation t = translate(expression, backend, textColumns);
    if (!t.parameterOrder.isEmpty())
        throw Error(QStringLiteral("The table description has a parameter in the index expression \"%1\"").arg(expression));
    return t.sql;
}

QStringList columnsOf(const QString& expression) {
    QStringList columns;
    const std::vector<Token> tokens = tokenize(expression);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Token::Kind::Word) continue;
        std::size_t next = i + 1;
        while (next < tokens.size() && tokens[next].kind == Token::Kind::Blank) ++next;
        const bool call = next < tokens.size() && tokens[next].text == QLatin1String("(");
        if (!call) columns << tokens[i].text;
    }
    return columns;
}

std::vector<IndexDefinition> indexDefinitions(const std::vector<Table>& tables, Backend backend) {
    const QStringList textColumns = textColumnsOf(tables);
    std::vector<IndexDefinition> definitions;
    for (const Table& t : tables) {
        for (const Index& index : t.indexes) {
            QStringList keys;
            for (const QString& key : index.keys)
                keys << (isPlainName(key) ? key : QLatin1Char('(') + translated(key, backend, textColumns) + QLatin1Char(')'));
            const QString name = t.name + QLatin1Char('_') + index.name;
            definitions.push_back({t.name, name,
                                   QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)").arg(name, t.name, keys.join(QStringLiteral(", ")))});
        }
        for (const Search& search : t.searches) {
            const SearchIndex index{t.name, t.name + QLatin1Char('_') + search.name, translated(search.expression, backend, textColumns),
                                    columnsOf(search.expression), search.within, search.also};
            definitions.push_back({t.name, index.name, backendOf(backend).searchIndexStatement(index)});
        }
    }
    return definitions;
}

}  // namespace

QStringList schemaStatements(Backend backend) {
    const std::vector<Table> tables = readDescription();
    QStringList statements;
    for (const Table& t : tables) statements << tableStatement(t, backendOf(backend));
    const std::vector<IndexDefinition> indexes = indexDefinitions(tables, backend);
    if (!indexes.empty()) statements << backendOf(backend).indexPrelude();
    for (const IndexDefinition& index : indexes) statements << index.statement;
    return statements;
}

QStringList missingIndexStatements(Database& db) {
    const ServerBackend& traits = backendOf(db.backend());
    std::map<QString, std::optional<QStringList>> existing;  // by table
    QStringList missing;
    for (const IndexDefinition& index : indexDefinitions(readDescription(), db.backend())) {
        auto found = existing.find(index.table);
        if (found == existing.end()) found = existing.emplace(index.table, traits.indexNames(db, index.table)).first;
        if (found->second && !found->second->contains(index.name.toLower())) missing << index.statement;
    }
    if (missing.isEmpty()) return {};
    return traits.indexPrelude() + missing;
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
