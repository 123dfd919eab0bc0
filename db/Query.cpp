#include "db/Query.h"

#include "db/Backends.h"
#include "db/Dialect.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace db {

namespace {

QString dropTrailingBlanks(const QString& s) {
    int end = s.size();
    while (end > 0 && s[end - 1] == QLatin1Char(' ')) --end;
    return s.left(end);
}

QString numberText(double d) {
    return QString::number(d, 'g', 15);
}

QString valueText(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(v.toDouble());
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return dropTrailingBlanks(v.toString());
    }
}

// The server's words with the statement as the form wrote it, of the kind the backend tells
// (a lock waited out is Busy wherever it came: prepare, execute or the rows).
Error failure(Database& db, const QSqlError& error, const QString& text) {
    return Error(QStringLiteral("%1\nin: %2").arg(detail::reasonOf(error), detail::statementExcerpt(text)), db.errorKind(error));
}

// Date-times go to both servers as text the column type converts.
QVariant bindable(const QVariant& v) {
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return v;
}

}  // namespace

Query::Query(QString alias) : alias_(std::move(alias)) {}

Query::Query(Database& database) : database_(&database) {}

Query::~Query() = default;

void Query::setDatabase(Database& database) {
    close();
    database_ = &database;
}

Database& Query::database() {
    return database_ ? *database_ : Database::alias(alias_);
}

// --- text -------------------------------------------------------------------------------------

void Query::clearSql() {
    close();
    sql_.clear();
    paramNames_.reset();
}

void Query::addSql(const QString& line) {
    close();
    sql_ << line;
    paramNames_.reset();
}

void Query::setSql(const QStringList& lines) {
    close();
    sql_ = lines;
    paramNames_.reset();
}

// --- parameters -------------------------------------------------------------------------------

QStringList Query::paramNames() const {
    // Read once per text: a statement of 29 parameters would be read again for each of them.
    if (!paramNames_) paramNames_ = parameterNames(sql_.join(QLatin1Char('\n')));
    return *paramNames_;
}

QVariant Query::paramValue(const QString& name) const {
    const QString key = name.toLower();
    for (const auto& p : params_)
        if (p.first == key) return p.second;
    return QVariant();
}

void Query::setParam(const QString& name, const QVariant& value) {
    const QString key = name.toLower();
    if (!paramNames().contains(key))
        throw Error(QStringLiteral("Parameter '%1' not found in: %2")
                        .arg(name, detail::statementExcerpt(sql_.join(QLatin1Char(' ')))));
    for (auto& p : params_) {
        if (p.first == key) {
            p.second = value;
            return;
        }
    }
    params_.emplace_back(key, value);
}

void Query::setParamText(const QString& name, const QString& value) {
    // An empty text is a text, not NULL.
    setParam(name, QVariant(value.isNull() ? QString(QLatin1String("")) : value));
}

void Query::setParamDouble(const QString& name, double value) {
    setParam(name, QVariant(value));
}

void Query::setParamDateTime(const QString& name, const QDateTime& value) {
    setParam(name, QVariant(value));
}

void Query::prepare() {
    Database& db = database();
    const QString text = sql_.join(QLatin1Char('\n'));
    translated_ = translationOf(db, text).sql;
}

// A translation error names the statement; a connection lost while translating names its own.
Translation Query::translationOf(Database& db, const QString& text) {
    try {
        return db.translation(text);
    } catch (const Error& e) {
        if (e.kind() == Error::Kind::ConnectionLost) throw;
        throw Error(QStringLiteral("%1\nin: %2").arg(e.message(), detail::statementExcerpt(text)));
    }
}

// --- running ----------------------------------------------------------------------------------

Translation Query::translate(Database& db, const QString& text, bool wantRows) {
    if (text.trimmed().isEmpty()) throw Error(QStringLiteral("The query has no statement text"));
    const Translation t = translationOf(db, text);
    translated_ = t.sql;
    if (wantRows && !t.returnsRows)
        throw Error(QStringLiteral("The statement returns no result set; run it with execSql: %1").arg(detail::statementExcerpt(text)));
    return t;
}

// Runs under the connection's statement guard (Database::Statement).
QSqlQuery Query::run(Database& db, const Translation& t, const QString& text, bool wantRows) {
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    bool ok = false;
    if (t.parameterOrder.isEmpty()) {
        ok = q.exec(t.sql);
    } else {
        if (!q.prepare(t.sql)) throw failure(db, q.lastError(), text);
        for (const QString& name : t.parameterOrder) {
            const auto p = std::find_if(params_.begin(), params_.end(), [&](const auto& e) { return e.first == name; });
            if (p == params_.end())
                throw Error(QStringLiteral("The parameter '%1' has no value in: %2").arg(name, detail::statementExcerpt(text)));
            q.addBindValue(bindable(p->second));
        }
        ok = q.exec();
    }
    if (!ok) throw failure(db, q.lastError(), text);
    if (wantRows && !q.isSelect())
        throw Error(QStringLiteral("The statement returns no result set; run it with execSql: %1").arg(detail::statementExcerpt(text)));
    return q;
}

void Query::open() {
    close();
    Database& db = database();
    const QString text = sql_.join(QLatin1Char('\n'));
    const Translation t = translate(db, text, true);
    QStringList fields;
    std::vector<std::vector<QVariant>> rows;
    // The rows are read under the guard too: a driver may fetch them as they come.
    db.guarded([&] {
        QSqlQuery q = run(db, t, text, true);
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i) fields << record.fieldName(i);
        while (q.next()) {
            std::vector<QVariant> row;
            row.reserve(static_cast<std::size_t>(fields.size()));
            for (int i = 0; i < fields.size(); ++i) row.push_back(q.value(i));
            rows.push_back(std::move(row));
        }
        if (q.lastError().isValid()) throw failure(db, q.lastError(), text);
    });
    fields_ = fields;
    rows_ = std::move(rows);
    active_ = true;
    current_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
    notify(QueryObserver::Change::Opened);
}

void Query::execSql() {
    rowsAffected_ = -1;
    Database& db = database();
    const QString text = sql_.join(QLatin1Char('\n'));
    const Translation t = translate(db, text, false);
    rowsAffected_ = db.guarded([&] { return run(db, t, text, false).numRowsAffected(); });
}

void Query::close() {
    const bool wasActive = active_;
    active_ = false;
    fields_.clear();
    rows_.clear();
    current_ = -1;
    eof_ = true;
    if (wasActive) notify(QueryObserver::Change::Closed);
}

// --- stepping ---------------------------------------------------------------------------------

void Query::requireActive() const {
    if (!active_) throw Error(QStringLiteral("Cannot perform this operation on a closed query"));
}

void Query::first() {
    requireActive();
    current_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
    notify(QueryObserver::Change::RowMoved);
}

void Query::next() {
    requireActive();
    if (current_ + 1 < static_cast<int>(rows_.size())) {
        ++current_;
        eof_ = false;
    } else {
        eof_ = true;
    }
    notify(QueryObserver::Change::RowMoved);
}

void Query::prior() {
    requireActive();
    if (current_ > 0) --current_;
    eof_ = rows_.empty();
    notify(QueryObserver::Change::RowMoved);
}

bool Query::eof() const {
    return !active_ || eof_;
}

int Query::recordCount() const {
    return active_ ? static_cast<int>(rows_.size()) : 0;
}

void Query::moveTo(int row) {
    requireActive();
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        throw Error(QStringLiteral("Row %1 is outside the %2 rows of the result").arg(row).arg(rows_.size()));
    current_ = row;
    eof_ = false;
    notify(QueryObserver::Change::RowMoved);
}

bool Query::locate(const QString& field, const QString& value) {
    requireActive();
    const int column = requireField(field);
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (valueText(rows_[r][static_cast<std::size_t>(column)]).compare(value, Qt::CaseInsensitive) == 0) {
            moveTo(static_cast<int>(r));
            return true;
        }
    }
    return false;
}

// --- fields -----------------------------------------------------------------------------------

int Query::fieldIndex(const QString& field) const {
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].compare(field, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int Query::requireField(const QString& field) const {
    const int i = fieldIndex(field);
    if (i < 0) throw Error(QStringLiteral("Field '%1' not found").arg(field));
    return i;
}

QVariant Query::fieldValue(const QString& field) const {
    // A closed query or an empty result reads as NULL, as the forms expect of an empty grid.
    if (!active_) return QVariant();
    const int column = requireField(field);
    if (current_ < 0) return QVariant();
    return rows_[static_cast<std::size_t>(current_)][static_cast<std::size_t>(column)];
}

QString Query::fieldText(const QString& field) const {
    return valueText(fieldValue(field));
}

bool Query::fieldIsNull(const QString& field) const {
    return fieldValue(field).isNull();
}

int Query::fieldInt(const QString& field) const {
    const QVariant v = fieldValue(field);
    if (v.isNull()) return 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) return qRound(v.toDouble());
    const QString text = valueText(v);
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok) throw Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return n;
}

double Query::fieldDouble(const QString& field) const {
    const QVariant v = fieldValue(field);
    if (v.isNull()) return 0.0;
    const QString text = valueText(v);
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok) throw Error(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return d;
}

int Query::fieldCount() const {
    return static_cast<int>(fields_.size());
}

QString Query::fieldName(int column) const {
    return fields_.value(column);
}

QVariant Query::value(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column < 0 || column >= fields_.size()) return QVariant();
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

QString Query::text(int row, int column) const {
    return valueText(value(row, column));
}

// --- observers --------------------------------------------------------------------------------

void Query::addObserver(QueryObserver* o) {
    if (std::find(observers_.begin(), observers_.end(), o) == observers_.end()) observers_.push_back(o);
}

void Query::removeObserver(QueryObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void Query::notify(QueryObserver::Change what) {
    // A copy: an observer may remove itself while it is told.
    const std::vector<QueryObserver*> observers = observers_;
    for (QueryObserver* o : observers) o->rowSetChanged(what);
}

}  // namespace db
