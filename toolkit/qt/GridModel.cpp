#include "toolkit/qt/GridModel.h"

namespace tkqt {

namespace {
Qt::Alignment toQt(tk::GridColumn::Align a) {
    switch (a) {
    case tk::GridColumn::Align::Center: return Qt::AlignCenter;
    case tk::GridColumn::Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case tk::GridColumn::Align::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The indicator the row-indicator column shows on the current row.
const QString currentRowMark = QStringLiteral("\u25B6");
}  // namespace

GridModel::GridModel(tk::DBGrid& grid, std::function<bool()> alive, QObject* parent)
    : QAbstractTableModel(parent), grid_(&grid), alive_(std::move(alive)) {
    columns_ = grid_->shownColumns();
    rows_ = grid_->rowCount();
}

void GridModel::detach() {
    beginResetModel();
    grid_ = nullptr;
    alive_ = nullptr;
    columns_.clear();
    rows_ = 0;
    endResetModel();
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    const tk::DBGrid* g = grid();
    if (!g || !index.isValid() || index.row() >= rows_ || index.column() >= int(columns_.size())) return {};
    if (role == Qt::DisplayRole) return g->cellText(index.row(), index.column());
    // Formatted numbers stand to the right, as number fields do.
    if (role == Qt::TextAlignmentRole && !columns_[size_t(index.column())].displayFormat.isEmpty()) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= int(columns_.size())) return {};
        const tk::GridColumn& c = columns_[size_t(section)];
        if (role == Qt::DisplayRole) return c.title;
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(toQt(c.titleAlign));
        return {};
    }
    const tk::DBGrid* g = grid();
    if (role == Qt::DisplayRole) return g && section == g->currentRow() ? currentRowMark : QString();
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void GridModel::reload() {
    const tk::DBGrid* g = grid();
    if (!g) return;
    beginResetModel();
    columns_ = g->shownColumns();
    rows_ = g->rowCount();
    endResetModel();
}

void GridModel::currentRowChanged(int oldRow, int newRow) {
    for (int row : {oldRow, newRow}) {
        if (row >= 0 && row < rows_) Q_EMIT headerDataChanged(Qt::Vertical, row, row);
    }
}

}  // namespace tkqt
