#pragma once
// The query component the forms are written against: SQL text in lines, named :parameters,
// open/execute, stepping, fields by name, row count and locate. The text is kept in its
// Transact-SQL form and translated for the connection's backend when it runs. A result is
// fetched whole when it opens (results here are small).

#include "db/Database.h"
#include "db/Error.h"
#include "db/RowSet.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

class QSqlQuery;

namespace db {

// Those who follow a query's rows (its grids).
using QueryObserver = RowSetObserver;

class Query : public RowCursor {
public:
    // On a named alias (resolved when the query first runs) or on a given connection.
    explicit Query(QString alias = QStringLiteral("Account"));
    explicit Query(Database& database);
    ~Query() override;
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    void setDatabase(Database& database);
    Database& database();

    // --- statement text -----------------------------------------------------------------
    const QStringList& sql() const { return sql_; }
    void clearSql();
    void addSql(const QString& line);
    void setSql(const QStringList& lines);

    // --- parameters (":name" in the text; one value for every place a name stands) -------
    void setParamText(const QString& name, const QString& value);
    void setParamDouble(const QString& name, double value);
    void setParamDateTime(const QString& name, const QDateTime& value);
    QStringList paramNames() const;  // in order of first appearance
    QVariant paramValue(const QString& name) const;  // the value set last; invalid when none
    void prepare();                  // translates and checks the text; open/execute do it too

    // --- running ------------------------------------------------------------------------
    void open();     // a statement that returns rows; the first row is current
    void execSql();  // insert, update, delete
    // Rows the last execSql inserted, changed or deleted (-1 before any).
    int rowsAffected() const { return rowsAffected_; }
    void close();
    bool active() const { return active_; }

    // --- stepping -----------------------------------------------------------------------
    void first();
    void next();
    void prior();
    bool eof() const;  // past the last row (also for an empty result)
    int recordCount() const override;
    int recNo() const override { return current_; }  // 0-based current row, -1 when empty
    void moveTo(int row) override;
    // First row whose field equals the text ignoring case becomes current; false if none.
    bool locate(const QString& field, const QString& value);

    // --- fields of the current row (names ignore case) ---------------------------------------
    QString fieldText(const QString& field) const;  // trailing blanks dropped; NULL as ""
    int fieldInt(const QString& field) const;       // text converted; error when not a number
    double fieldDouble(const QString& field) const;
    bool fieldIsNull(const QString& field) const;
    QVariant fieldValue(const QString& field) const;

    // --- the whole result (grids) ----------------------------------------------------------
    int fieldCount() const override;
    QString fieldName(int column) const override;  // as the server names it
    int fieldIndex(const QString& field) const override;  // -1 when absent
    QVariant value(int row, int column) const override;
    QString text(int row, int column) const override;  // as fieldText

    // The translated statement last run (diagnostics, tests).
    const QString& translatedSql() const { return translated_; }

    void addObserver(QueryObserver* o) override;
    void removeObserver(QueryObserver* o) override;

private:
    void notify(QueryObserver::Change what);
    void setParam(const QString& name, const QVariant& value);
    static Translation translationOf(Database& db, const QString& text);
    Translation translate(Database& db, const QString& text, bool wantRows);
    QSqlQuery run(Database& db, const Translation& t, const QString& text, bool wantRows);
    void requireActive() const;
    int requireField(const QString& field) const;
    QString alias_;
    Database* database_ = nullptr;
    QStringList sql_;
    mutable std::optional<QStringList> paramNames_;  // of sql_
    std::vector<std::pair<QString, QVariant>> params_;  // lower-case name -> value
    bool active_ = false;
    QStringList fields_;
    std::vector<std::vector<QVariant>> rows_;
    int current_ = -1;
    bool eof_ = true;
    QString translated_;
    int rowsAffected_ = -1;
    std::vector<QueryObserver*> observers_;
};

}  // namespace db
