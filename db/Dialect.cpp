#include "db/Dialect.h"

#include "db/Backends.h"

#include <QSet>
#include <map>
#include <optional>

namespace db {

namespace {

// "line L, column C" of an offset, for messages a person can follow in the statement.
QString where(const QString& sql, int pos) {
    int line = 1;
    int column = 1;
    for (int i = 0; i < pos && i < sql.size(); ++i) {
        if (sql[i] == QLatin1Char('\n')) {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\f') || c == QLatin1Char('\v');
}
bool startsWord(QChar c) {
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#');
}
bool continuesWord(QChar c) {
    return startsWord(c) || c.isDigit() || c == QLatin1Char('$');
}
bool continuesParameter(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

class Tokenizer {
public:
    explicit Tokenizer(const QString& sql) : s_(sql) {}

    std::vector<Token> run() {
        std::vector<Token> out;
        while (i_ < s_.size()) out.push_back(next());
        return out;
    }

private:
    QChar at(int k) const { return k < s_.size() ? s_[k] : QChar(); }

    [[noreturn]] void fail(const QString& what, int pos) const {
        throw Error(QStringLiteral("%1 at %2 of the statement").arg(what, where(s_, pos)));
    }

    Token make(Token::Kind kind, int start) {
        return Token{kind, s_.mid(start, i_ - start), start};
    }

    Token next() {
        const int start = i_;
        const QChar c = s_[i_];
        if (isBlank(c)) {
            while (i_ < s_.size() && isBlank(s_[i_])) ++i_;
            return make(Token::Kind::Blank, start);
        }
        if (c == QLatin1Char('-') && at(i_ + 1) == QLatin1Char('-')) {
            while (i_ < s_.size() && s_[i_] != QLatin1Char('\n')) ++i_;
            return make(Token::Kind::Comment, start);
        }
        if (c == QLatin1Char('/') && at(i_ + 1) == QLatin1Char('*')) {
            const int end = s_.indexOf(QStringLiteral("*/"), i_ + 2);
            if (end < 0) fail(QStringLiteral("Unterminated comment"), start);
            i_ = end + 2;
            return make(Token::Kind::Comment, start);
        }
        if (c == QLatin1Char('\'')) return quoted(Token::Kind::String, QLatin1Char('\''), QStringLiteral("string literal"));
        if (c == QLatin1Char('"')) return quoted(Token::Kind::QuotedIdent, QLatin1Char('"'), QStringLiteral("quoted name"));
        if (c == QLatin1Char('[')) return quoted(Token::Kind::QuotedIdent, QLatin1Char(']'), QStringLiteral("bracketed name"));
        if (c == QLatin1Char(':')) {
            ++i_;
            if (!continuesParameter(at(i_))) fail(QStringLiteral("A ':' without a parameter name"), start);
            while (i_ < s_.size() && continuesParameter(s_[i_])) ++i_;
            return make(Token::Kind::Parameter, start);
        }
        if (c.isDigit() || (c == QLatin1Char('.') && at(i_ + 1).isDigit())) return number(start);
        if (startsWord(c)) {
            while (i_ < s_.size() && continuesWord(s_[i_])) ++i_;
            return make(Token::Kind::Word, start);
        }
        if (QStringLiteral("(),.;").contains(c)) {
            ++i_;
            return make(Token::Kind::Punct, start);
        }
        static const QStringList twoCharOperators = {QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                                     QStringLiteral("!="), QStringLiteral("!<"), QStringLiteral("!>"),
                                                     QStringLiteral("||")};
        if (twoCharOperators.contains(s_.mid(i_, 2))) {
            i_ += 2;
            return make(Token::Kind::Operator, start);
        }
        if (QStringLiteral("+-*/%=<>!&|^~").contains(c)) {
            ++i_;
            return make(Token::Kind::Operator, start);
        }
        fail(QStringLiteral("Unexpected character '%1'").arg(c), start);
    }

    // A run quoted by `open` and closed by `close`, where a doubled closing character stands for itself.
    Token quoted(Token::Kind kind, QChar close, const QString& what) {
        const int start = i_;
        ++i_;
        for (;;) {
            if (i_ >= s_.size()) fail(QStringLiteral("Unterminated %1").arg(what), start);
            if (s_[i_] == close) {
                if (at(i_ + 1) == close) {
                    i_ += 2;
                    continue;
                }
                ++i_;
                return make(kind, start);
            }
            ++i_;
        }
    }

    Token number(int start) {
        while (i_ < s_.size() && s_[i_].isDigit()) ++i_;
        if (at(i_) == QLatin1Char('.')) {
            ++i_;
            while (i_ < s_.size() && s_[i_].isDigit()) ++i_;
        }
        if ((at(i_) == QLatin1Char('e') || at(i_) == QLatin1Char('E')) &&
            (at(i_ + 1).isDigit() || ((at(i_ + 1) == QLatin1Char('+') || at(i_ + 1) == QLatin1Char('-')) && at(i_ + 2).isDigit()))) {
            i_ += 2;
            while (i_ < s_.size() && s_[i_].isDigit()) ++i_;
        }
        return make(Token::Kind::Number, start);
    }

    const QString& s_;
    int i_ = 0;
};

// ---------------------------------------------------------------------------------------------
// The statement as a tree of parenthesised groups; the translation works on one level at a time.

struct Node {
    int token = -1;              // a single token, or
    std::vector<Node> children;  // a group: "(" children ")"
    int open = -1, close = -1;   // token indexes of the parentheses of a group
    bool isGroup() const { return token < 0; }
};

class Translator {
public:
    Translator(const QString& sql, const detail::ServerBackend& backend, const QStringList& textColumns)
        : sql_(sql), backend_(backend), tokens_(tokenize(sql)), paddedType_(backend.paddedTextType()) {
        for (const QString& c : textColumns) textColumns_.insert(c.toLower());
    }

    Translation run() {
        std::size_t k = 0;
        std::vector<Node> top = parseSequence(k, -1);
        // An INSERT stores what it selects: a padded reading would lose the trailing blanks
        // on the way back into the column.
        const std::size_t first = skip(top, 0);
        padSelected_ = !paddedType_.isEmpty() && !(first < top.size() && isWord(top[first], "insert"));
        markSequence(top);
        if (!paddedType_.isEmpty()) markPaddedComparisons(top, false);
        Translation t;
        emitSequence(top, t);
        t.returnsRows = startsResult();
        return t;
    }

private:
    bool startsResult() const {
        for (const Token& t : tokens_) {
            if (t.kind == Token::Kind::Blank || t.kind == Token::Kind::Comment) continue;
            if (t.kind == Token::Kind::Punct && t.text == QLatin1String("(")) return true;
            return t.kind == Token::Kind::Word && (t.text.compare(QLatin1String("select"), Qt::CaseInsensitive) == 0 ||
                                                  t.text.compare(QLatin1String("with"), Qt::CaseInsensitive) == 0);
        }
        return false;
    }

    struct Rename {
        std::size_t exprBegin, exprEnd;  // item indexes, inclusive
        QString name;
    };

    // --- tree -------------------------------------------------------------------------------
    std::vector<Node> parseSequence(std::size_t& k, int openIndex) {
        std::vector<Node> items;
        while (k < tokens_.size()) {
            const Token& t = tokens_[k];
            if (t.kind == Token::Kind::Punct && t.text == QLatin1String("(")) {
                Node g;
                g.open = static_cast<int>(k);
                ++k;
                g.children = parseSequence(k, g.open);
                g.close = static_cast<int>(k);
                ++k;
                items.push_back(std::move(g));
                continue;
            }
            if (t.kind == Token::Kind::Punct && t.text == QLatin1String(")")) {
                if (openIndex < 0)
                    throw Error(QStringLiteral("Unbalanced parentheses: ')' without '(' at %1 of the statement")
                                    .arg(where(sql_, t.pos)));
                return items;
            }
            Node n;
            n.token = static_cast<int>(k);
            items.push_back(n);
            ++k;
        }
        if (openIndex >= 0)
            throw Error(QStringLiteral("Unbalanced parentheses: '(' at %1 of the statement is never closed")
                            .arg(where(sql_, tokens_[static_cast<std::size_t>(openIndex)].pos)));
        return items;
    }

    const Token* tok(const Node& n) const {
        return n.isGroup() ? nullptr : &tokens_[static_cast<std::size_t>(n.token)];
    }
    bool significant(const Node& n) const {
        const Token* t = tok(n);
        return !t || (t->kind != Token::Kind::Blank && t->kind != Token::Kind::Comment);
    }
    bool isWord(const Node& n, const char* word) const {
        const Token* t = tok(n);
        return t && t->kind == Token::Kind::Word && t->text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isOp(const Node& n, const char* op) const {
        const Token* t = tok(n);
        return t && t->kind == Token::Kind::Operator && t->text == QLatin1String(op);
    }
    bool isPunct(const Node& n, const char* p) const {
        const Token* t = tok(n);
        return t && t->kind == Token::Kind::Punct && t->text == QLatin1String(p);
    }
    // Index of the next significant item at or after i, or size().
    std::size_t skip(const std::vector<Node>& seq, std::size_t i) const {
        while (i < seq.size() && !significant(seq[i])) ++i;
        return i;
    }

    // --- "+" between texts -------------------------------------------------------------------
    // A primary (literal, name, call, parenthesised expression) starting at i: its last item and
    // whether it is text.
    struct Primary {
        std::size_t last;
        bool text;
    };

    std::optional<Primary> primary(const std::vector<Node>& seq, std::size_t i) const {
        if (i >= seq.size()) return std::nullopt;
        const Node& n = seq[i];
        if (n.isGroup()) return Primary{i, groupIsText(n)};
        const Token& t = *tok(n);
        switch (t.kind) {
        case Token::Kind::String:
            return Primary{i, true};
        case Token::Kind::Number:
        case Token::Kind::Parameter:
            return Primary{i, false};
        case Token::Kind::Word:
        case Token::Kind::QuotedIdent: {
            if (t.kind == Token::Kind::Word && isKeyword(t.text)) return std::nullopt;
            std::size_t last = i;
            QString part = identifierText(t);
            for (;;) {
                const std::size_t dot = skip(seq, last + 1);
                if (dot >= seq.size() || !isPunct(seq[dot], ".")) break;
                const std::size_t nextPart = skip(seq, dot + 1);
                const Token* p = nextPart < seq.size() ? tok(seq[nextPart]) : nullptr;
                if (!p || (p->kind != Token::Kind::Word && p->kind != Token::Kind::QuotedIdent)) break;
                part = identifierText(*p);
                last = nextPart;
            }
            const std::size_t after = skip(seq, last + 1);
            if (after < seq.size() && seq[after].isGroup() && t.kind == Token::Kind::Word)
                return Primary{after, callIsText(part.toLower(), seq[after])};
            return Primary{last, textColumns_.contains(part.toLower())};
        }
        default:
            return std::nullopt;
        }
    }

    // Words that never begin an operand (a keyword followed by "(" is no function call).
    static bool isKeyword(const QString& word) {
        static const QSet<QString> keywords = {
            QStringLiteral("select"), QStringLiteral("distinct"), QStringLiteral("all"),    QStringLiteral("from"),
            QStringLiteral("where"),  QStringLiteral("and"),      QStringLiteral("or"),     QStringLiteral("not"),
            QStringLiteral("in"),     QStringLiteral("like"),     QStringLiteral("ilike"),  QStringLiteral("is"),
            QStringLiteral("as"),     QStringLiteral("on"),       QStringLiteral("by"),     QStringLiteral("group"),
            QStringLiteral("order"),  QStringLiteral("having"),   QStringLiteral("union"),  QStringLiteral("values"),
            QStringLiteral("set"),    QStringLiteral("into"),     QStringLiteral("insert"), QStringLiteral("update"),
            QStringLiteral("delete"), QStringLiteral("exists"),   QStringLiteral("between"), QStringLiteral("case"),
            QStringLiteral("when"),   QStringLiteral("then"),     QStringLiteral("else"),   QStringLiteral("join"),
            QStringLiteral("inner"),  QStringLiteral("outer"),    QStringLiteral("with"),   QStringLiteral("escape")};
        return keywords.contains(word.toLower());
    }

    static QString identifierText(const Token& t) {
        if (t.kind != Token::Kind::QuotedIdent) return t.text;
        const QString inner = t.text.mid(1, t.text.size() - 2);
        return t.text.startsWith(QLatin1Char('[')) ? inner : QString(inner).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }

    bool callIsText(const QString& function, const Node& args) const {
        static const QSet<QString> textFunctions = {
            QStringLiteral("rtrim"),   QStringLiteral("ltrim"),     QStringLiteral("trim"),
            QStringLiteral("upper"),   QStringLiteral("lower"),     QStringLiteral("substring"),
            QStringLiteral("substr"),  QStringLiteral("replace"),   QStringLiteral("left"),
            QStringLiteral("right"),   QStringLiteral("space"),     QStringLiteral("replicate")};
        // Functions whose result has the type of their first argument.
        static const QSet<QString> passThrough = {QStringLiteral("max"), QStringLiteral("min"), QStringLiteral("coalesce"),
                                                  QStringLiteral("isnull"), QStringLiteral("nullif")};
        if (textFunctions.contains(function)) return true;
        if (passThrough.contains(function)) return groupIsText(args);
        return false;
    }

    // A parenthesised expression is text when its first chain of operands is (a subquery is not looked into).
    bool groupIsText(const Node& group) const {
        const std::vector<Node>& seq = group.children;
        const std::size_t first = skip(seq, 0);
        if (first >= seq.size() || isWord(seq[first], "select")) return false;
        return chainAt(seq, first).text;
    }

    struct Chain {
        std::size_t last;
        std::vector<std::size_t> plusItems;
        bool text;
    };

    // Operands joined by arithmetic operators, starting with the primary at i. The chain is text
    // when any of its operands is.
    Chain chainAt(const std::vector<Node>& seq, std::size_t i) const {
        Chain chain{i, {}, false};
        std::size_t at = i;
        for (;;) {
            at = skipUnarySigns(seq, at);
            const std::optional<Primary> p = primary(seq, at);
            if (!p) break;
            chain.text = chain.text || p->text;
            chain.last = p->last;
            const std::size_t op = skip(seq, p->last + 1);
            if (op >= seq.size()) break;
            const bool plus = isOp(seq[op], "+");
            if (!plus && !isOp(seq[op], "-") && !isOp(seq[op], "*") && !isOp(seq[op], "/") && !isOp(seq[op], "%")) break;
            const std::size_t operand = skipUnarySigns(seq, skip(seq, op + 1));
            if (!primary(seq, operand)) break;
            if (plus) chain.plusItems.push_back(op);
            at = operand;
        }
        return chain;
    }

    std::size_t skipUnarySigns(const std::vector<Node>& seq, std::size_t i) const {
        i = skip(seq, i);
        while (i < seq.size() && (isOp(seq[i], "+") || isOp(seq[i], "-"))) i = skip(seq, i + 1);
        return i;
    }

    void markConcatenation(const std::vector<Node>& seq) {
        std::size_t i = skip(seq, 0);
        while (i < seq.size()) {
            if (!primary(seq, i)) {
                i = skip(seq, i + 1);
                continue;
            }
            const Chain chain = chainAt(seq, i);
            if (chain.text)
                for (std::size_t op : chain.plusItems) replacement_[seq[op].token] = QStringLiteral("||");
            i = skip(seq, chain.last + 1);
        }
    }

    // --- "name = expression" select items ----------------------------------------------------
    bool endsSelectList(const Node& n) const {
        static const char* const words[] = {"from", "where", "group", "order", "having", "union",
                                            "intersect", "except", "into", "limit"};
        for (const char* w : words)
            if (isWord(n, w)) return true;
        return isPunct(n, ";");
    }

    void markSelectLists(const std::vector<Node>& seq) {
        for (std::size_t i = 0; i < seq.size(); ++i) {
            if (!isWord(seq[i], "select")) continue;
            std::size_t at = skip(seq, i + 1);
            if (at < seq.size() && (isWord(seq[at], "distinct") || isWord(seq[at], "all"))) at = at + 1;
            std::size_t itemBegin = at;
            std::size_t k = at;
            for (; k < seq.size() && !endsSelectList(seq[k]); ++k) {
                if (isPunct(seq[k], ",")) {
                    markNamedItem(seq, itemBegin, k);
                    markPaddedItem(seq, itemBegin, k);
                    itemBegin = k + 1;
                }
            }
            markNamedItem(seq, itemBegin, k);
            markPaddedItem(seq, itemBegin, k);
            i = k == seq.size() ? k : k - 1;
        }
    }

    // The item [begin, end): "name = expression" becomes "expression AS name".
    void markNamedItem(const std::vector<Node>& seq, std::size_t begin, std::size_t end) {
        const std::size_t name = skip(seq, begin);
        if (name >= end) return;
        const Token* nameToken = tok(seq[name]);
        if (!nameToken || (nameToken->kind != Token::Kind::Word && nameToken->kind != Token::Kind::QuotedIdent)) return;
        const std::size_t eq = skip(seq, name + 1);
        if (eq >= end || !isOp(seq[eq], "=")) return;
        const std::size_t exprBegin = skip(seq, eq + 1);
        if (exprBegin >= end)
            throw Error(QStringLiteral("The select item \"%1 =\" at %2 of the statement has no expression")
                            .arg(nameToken->text, where(sql_, nameToken->pos)));
        std::size_t exprEnd = exprBegin;
        for (std::size_t k = exprBegin; k < end; ++k)
            if (significant(seq[k])) exprEnd = k;
        renames_[&seq][name] = Rename{exprBegin, exprEnd, quotedName(*nameToken)};
    }


    // --- trailing blanks -----------------------------------------------------------------------
    // The statements were written for blank-padded text columns, where "01" and "01 " are one
    // value. Where the backend's columns are not, a picked column and a column compared with a
    // literal are read as its padded type; a column inside rtrim() or a joined text, or compared
    // with a parameter, is left alone so that the expression indexes keep serving it.

    // The last item of a column name (qualified or not) starting at i that names a text column
    // and is no function call; nothing otherwise.
    std::optional<std::size_t> textColumnAt(const std::vector<Node>& seq, std::size_t i) const {
        if (i >= seq.size()) return std::nullopt;
        const Token* t = tok(seq[i]);
        if (!t || (t->kind != Token::Kind::Word && t->kind != Token::Kind::QuotedIdent)) return std::nullopt;
        if (t->kind == Token::Kind::Word && isKeyword(t->text)) return std::nullopt;
        const std::optional<Primary> p = primary(seq, i);
        if (!p || !p->text || seq[p->last].isGroup()) return std::nullopt;
        const Token& last = *tok(seq[p->last]);
        if (!textColumns_.contains(identifierText(last).toLower())) return std::nullopt;
        return p->last;
    }

    void pad(const std::vector<Node>& seq, std::size_t first, std::size_t last, const QString& alias = {}) {
        prefix_[&seq[first]] += QStringLiteral("CAST(");
        suffix_[&seq[last]] += QStringLiteral(" AS ") + paddedType_ + QLatin1Char(')') + alias;
    }

    // A select item that is a column alone ("t.col", "name = t.col", "t.col AS name", "t.col name"):
    // what a derived table gives its grouping and what DISTINCT compares. The result keeps the
    // column's own name.
    void markPaddedItem(const std::vector<Node>& seq, std::size_t begin, std::size_t end) {
        if (!padSelected_) return;
        const std::size_t first = skip(seq, begin);
        if (first >= end) return;
        const auto renames = renames_.find(&seq);
        if (renames != renames_.end()) {
            const auto r = renames->second.find(first);
            if (r != renames->second.end()) {
                const std::optional<std::size_t> last = textColumnAt(seq, r->second.exprBegin);
                if (last && *last == r->second.exprEnd) pad(seq, r->second.exprBegin, *last);
                return;
            }
        }
        const std::optional<std::size_t> last = textColumnAt(seq, first);
        if (!last) return;
        const std::size_t after = skip(seq, *last + 1);
        if (after >= end) {
            pad(seq, first, *last, QStringLiteral(" AS ") + quotedName(*tok(seq[*last])));
            return;
        }
        const Token* next = tok(seq[after]);
        const bool alias = isWord(seq[after], "as") ||
                           (next && (next->kind == Token::Kind::Word || next->kind == Token::Kind::QuotedIdent) &&
                            skip(seq, after + 1) >= end);
        if (alias) pad(seq, first, *last);
    }

    bool isArithmetic(const Node& n) const {
        return isOp(n, "+") || isOp(n, "-") || isOp(n, "*") || isOp(n, "/") || isOp(n, "%") || isOp(n, "||");
    }
    bool isEquality(const Node& n) const { return isOp(n, "=") || isOp(n, "<>") || isOp(n, "!="); }
    bool isString(const Node& n) const {
        const Token* t = tok(n);
        return t && t->kind == Token::Kind::String;
    }

    // "col = 'x'" and "col <> 'x'" (either way round) in WHERE, ON and HAVING, where neither
    // side belongs to a longer expression.
    void markPaddedComparisons(const std::vector<Node>& seq, bool condition) {
        std::size_t previous = seq.size();
        for (std::size_t i = 0; i < seq.size(); ++i) {
            const Node& n = seq[i];
            if (!significant(n)) continue;
            if (n.isGroup()) {
                const std::size_t first = skip(n.children, 0);
                const bool query = first < n.children.size() && isWord(n.children[first], "select");
                markPaddedComparisons(n.children, condition && !query);
            } else if (isWord(n, "where") || isWord(n, "on") || isWord(n, "having")) {
                condition = true;
            } else if (isWord(n, "select") || isWord(n, "set") || isWord(n, "from") || isWord(n, "group") ||
                       isWord(n, "order") || isWord(n, "union") || isWord(n, "values") || isWord(n, "into")) {
                condition = false;
            } else if (condition && !(previous < seq.size() && (isArithmetic(seq[previous]) || isPunct(seq[previous], ".")))) {
                if (const std::optional<std::size_t> last = markPaddedComparison(seq, i)) {
                    previous = *last;
                    i = *last;
                    continue;
                }
            }
            previous = i;
        }
    }

    // The comparison starting at i, marked; its last item, or nothing when there is none.
    std::optional<std::size_t> markPaddedComparison(const std::vector<Node>& seq, std::size_t i) {
        const std::optional<std::size_t> left = textColumnAt(seq, i);
        if (!left && !isString(seq[i])) return std::nullopt;
        const std::size_t op = skip(seq, left.value_or(i) + 1);
        if (op >= seq.size() || !isEquality(seq[op])) return std::nullopt;
        const std::size_t other = skip(seq, op + 1);
        if (other >= seq.size()) return std::nullopt;
        // The column's first and last item.
        std::size_t first = i, last = 0;
        if (left) {
            if (!isString(seq[other])) return std::nullopt;
            last = *left;
        } else {
            const std::optional<std::size_t> right = textColumnAt(seq, other);
            if (!right) return std::nullopt;
            first = other;
            last = *right;
        }
        const std::size_t end = left ? other : last;
        const std::size_t after = skip(seq, end + 1);
        if (after < seq.size() && isArithmetic(seq[after])) return std::nullopt;
        pad(seq, first, last);
        return end;
    }

    // --- walking and writing -----------------------------------------------------------------
    void markSequence(const std::vector<Node>& seq) {
        markConcatenation(seq);
        markSelectLists(seq);
        for (const Node& n : seq) {
            if (n.isGroup()) {
                markSequence(n.children);
                continue;
            }
            const Token& t = *tok(n);
            if (t.kind == Token::Kind::QuotedIdent) replacement_[n.token] = quotedName(t);
        }
        markLike(seq);
    }

    // LIKE compares as on the original server with the backend's operator (a NOT before it is
    // written in capitals beside it) and the escape clause it gives a pattern without one.
    void markLike(const std::vector<Node>& seq) {
        const QString op = backend_.likeOperator();
        const QString escape = backend_.likeEscape();
        if (op.isEmpty() && escape.isEmpty()) return;
        std::size_t previous = seq.size();
        for (std::size_t i = 0; i < seq.size(); ++i) {
            if (!significant(seq[i])) continue;
            if (isWord(seq[i], "like")) {
                if (!op.isEmpty()) {
                    replacement_[seq[i].token] = op;
                    if (previous < seq.size() && isWord(seq[previous], "not")) replacement_[seq[previous].token] = QStringLiteral("NOT");
                }
                if (!escape.isEmpty()) markEscape(seq, i, escape);
            }
            previous = i;
        }
    }

    void markEscape(const std::vector<Node>& seq, std::size_t like, const QString& escape) {
        const std::size_t pattern = skipUnarySigns(seq, like + 1);
        if (!primary(seq, pattern)) return;
        const std::size_t last = chainAt(seq, pattern).last;
        const std::size_t after = skip(seq, last + 1);
        if (after < seq.size() && isWord(seq[after], "escape")) return;  // the statement names its own
        suffix_[&seq[last]] += QLatin1Char(' ') + escape;
    }

    QString quotedName(const Token& t) const {
        if (t.kind != Token::Kind::QuotedIdent) return t.text;
        return backend_.quotedName(t.text, identifierText(t));
    }

    void emitSequence(const std::vector<Node>& seq, Translation& out) const {
        const auto renames = renames_.find(&seq);
        for (std::size_t i = 0; i < seq.size(); ++i) {
            if (renames != renames_.end()) {
                const auto r = renames->second.find(i);
                if (r != renames->second.end()) {
                    for (std::size_t k = r->second.exprBegin; k <= r->second.exprEnd; ++k) emitNode(seq[k], out);
                    out.sql += QStringLiteral(" AS ") + r->second.name;
                    i = r->second.exprEnd;
                    continue;
                }
            }
            emitNode(seq[i], out);
        }
    }

    void emitNode(const Node& n, Translation& out) const {
        const auto p = prefix_.find(&n);
        if (p != prefix_.end()) out.sql += p->second;
        emitBare(n, out);
        const auto s = suffix_.find(&n);
        if (s != suffix_.end()) out.sql += s->second;
    }

    void emitBare(const Node& n, Translation& out) const {
        if (n.isGroup()) {
            out.sql += QLatin1Char('(');
            emitSequence(n.children, out);
            out.sql += QLatin1Char(')');
            return;
        }
        const Token& t = *tok(n);
        if (t.kind == Token::Kind::Parameter) {
            out.sql += QLatin1Char('?');
            out.parameterOrder << t.text.mid(1).toLower();
            return;
        }
        // A comment is a blank to the server. It is not passed on: a driver that numbers the
        // "?" itself does not know comments, and a quote or "?" in one would shift them.
        if (t.kind == Token::Kind::Comment) {
            out.sql += QLatin1Char(' ');
            return;
        }
        const auto r = replacement_.find(n.token);
        out.sql += r != replacement_.end() ? r->second : t.text;
    }

    const QString& sql_;
    const detail::ServerBackend& backend_;
    std::vector<Token> tokens_;
    QString paddedType_;
    bool padSelected_ = false;
    QSet<QString> textColumns_;
    std::map<int, QString> replacement_;
    std::map<const Node*, QString> prefix_;  // written before a node
    std::map<const Node*, QString> suffix_;  // written after a node
    std::map<const std::vector<Node>*, std::map<std::size_t, Rename>> renames_;
};

}  // namespace

std::vector<Token> tokenize(const QString& sql) {
    return Tokenizer(sql).run();
}

Translation translate(const QString& sql, Backend backend, const QStringList& textColumns) {
    return Translator(sql, detail::backendOf(backend), textColumns).run();
}

QStringList parameterNames(const QString& sql) {
    QStringList names;
    for (const Token& t : tokenize(sql)) {
        if (t.kind != Token::Kind::Parameter) continue;
        const QString name = t.text.mid(1).toLower();
        if (!names.contains(name)) names << name;
    }
    return names;
}

Translation TranslationCache::get(const QString& sql, Backend backend, const QStringList& textColumns) {
    const auto found = entries_.constFind(sql);
    if (found != entries_.constEnd()) return *found;
    // Texts that carry a value (a date put into the text) would grow it without end.
    if (entries_.size() >= 256) entries_.clear();
    return *entries_.insert(sql, translate(sql, backend, textColumns));
}

}  // namespace db
