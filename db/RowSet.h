#pragma once
// The rows of a result as the readers of a whole result see them (a grid, a report): fields
// by position and name, values and their texts, nothing that moves or changes the result;
// and the same rows with a current row that a grid moves and follows.

#include <QString>
#include <QVariant>

namespace db {

class RowSet {
public:
    virtual ~RowSet() = default;

    virtual int recordCount() const = 0;
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int column) const = 0;
    virtual int fieldIndex(const QString& field) const = 0;  // ignoring case; -1 when absent
    // Out of range: an invalid value and the empty text.
    virtual QVariant value(int row, int column) const = 0;
    virtual QString text(int row, int column) const = 0;  // trailing blanks dropped, NULL as ""
};

// Told when a row set with a current row opens, closes or moves.
class RowSetObserver {
public:
    virtual ~RowSetObserver() = default;
    enum class Change { Opened, Closed, RowMoved };
    virtual void rowSetChanged(Change what) = 0;
};

// A row set with a current row, as a grid binds it: the grid shows the rows, moves the
// current row and hears of every change. Closed, it has no rows.
class RowCursor : public RowSet {
public:
    virtual int recNo() const = 0;  // 0-based current row, -1 when empty
    virtual void moveTo(int row) = 0;
    virtual void addObserver(RowSetObserver* o) = 0;
    virtual void removeObserver(RowSetObserver* o) = 0;
};

}  // namespace db
