#pragma once
// The rows of a result as the readers of a whole result see them (a grid, a report): fields
// by position and name, values and their texts, nothing that moves or changes the result.

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

}  // namespace db
