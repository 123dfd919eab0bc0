#pragma once
// A read-only table model over a toolkit grid: the rows of its row set, the shown columns
// with their titles, and a row indicator on the current row.

#include "toolkit/Control.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

namespace tkqt {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `alive` tells whether the grid may still be read (its form lives).
    GridModel(tk::DBGrid& grid, std::function<bool()> alive, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const std::vector<tk::GridColumn>& columns() const { return columns_; }
    // The rows were opened, closed or re-read, or the columns changed.
    void reload();
    // The current row moved: the indicator follows.
    void currentRowChanged(int oldRow, int newRow);
    // The grid is gone or no longer shown here: the model reads nothing more.
    void detach();

private:
    const tk::DBGrid* grid() const { return grid_ && alive_ && alive_() ? grid_ : nullptr; }
    tk::DBGrid* grid_;
    std::function<bool()> alive_;
    std::vector<tk::GridColumn> columns_;
    int rows_ = 0;
};

}  // namespace tkqt
