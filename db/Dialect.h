#pragma once
// Translation of the Transact-SQL subset the forms are written in, for SQLite and
// PostgreSQL, on a real tokenizer (string literals, quoted and plain identifiers,
// :parameters, numbers, operators, -- and /* */ comments, blanks and tabs).
//
// What changes: "name = expression" select items become "expression AS name"; "+" between
// texts becomes "||" (a text operand is a string literal, a text function such as rtrim, a
// parenthesised text expression, or a column the connection reports as text); ":name"
// parameters become positional "?" with the order of names returned; comments become one
// blank; LIKE and quoted names are written the backend's own way (its class's likeOperator,
// likeEscape and quotedName). Everything else, including blank runs and tabs, passes through
// as written.

#include "db/Database.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace db {

struct Token {
    enum class Kind { Blank, Comment, String, QuotedIdent, Word, Number, Parameter, Operator, Punct };
    Kind kind;
    QString text;
    int pos;  // offset in the statement (error messages)
};

// Splits a statement into tokens; unterminated strings, comments or quoted identifiers
// raise db::Error naming the position.
std::vector<Token> tokenize(const QString& sql);

struct Translation {
    QString sql;                  // for the backend, with "?" placeholders
    QStringList parameterOrder;   // lower-case parameter name of each "?", in order
    bool returnsRows = false;     // it starts a result set (select, with, or a parenthesised select)
};

// Translates one statement (lines joined with "\n"). `textColumns` are the lower-case
// names of text columns (Database::textColumns()). Raises db::Error when the text cannot
// be translated (unbalanced parentheses, an empty parameter name, ...).
Translation translate(const QString& sql, Backend backend, const QStringList& textColumns);

// The lower-case names of the :parameters of a statement, each once, in order of first appearance.
QStringList parameterNames(const QString& sql);

// The translations of one connection by statement text. The forms build the same texts again
// for every row they write; each text is translated once until the schema changes (clear).
class TranslationCache {
public:
    Translation get(const QString& sql, Backend backend, const QStringList& textColumns);
    void clear() { entries_.clear(); }

private:
    QHash<QString, Translation> entries_;
};

}  // namespace db
