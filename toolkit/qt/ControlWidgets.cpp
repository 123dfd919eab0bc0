#include "toolkit/qt/ControlWidgets.h"

#include "toolkit/qt/Fonts.h"
#include "toolkit/qt/GridModel.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace tkqt {

// --- TkComboBox ---------------------------------------------------------------------------

void TkComboBox::showPopup() {
    QComboBox::showPopup();
    popupVisible_ = true;
    if (onPopup) onPopup(true);
}

void TkComboBox::hidePopup() {
    QComboBox::hidePopup();
    const bool wasOpen = popupVisible_;
    popupVisible_ = false;
    if (wasOpen && onPopup) onPopup(false);
}

// --- TkGridView ---------------------------------------------------------------------------

TkGridView::TkGridView(tk::DBGrid& grid, std::function<bool()> alive, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(new GridModel(grid, std::move(alive), this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setShowGrid(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setFixedWidth(12);
    // Rows as high as the model reckons its page keys with.
    verticalHeader()->setMinimumSectionSize(tk::DBGrid::RowHeight);
    verticalHeader()->setDefaultSectionSize(tk::DBGrid::RowHeight);
    horizontalHeader()->setFixedHeight(tk::DBGrid::RowHeight + 2);
    showColumns();
    showCurrentRow();
}

int TkGridView::dataRowAt(const QPoint& viewportPos) const {
    const QModelIndex index = indexAt(viewportPos);
    return index.isValid() ? index.row() : -1;
}

void TkGridView::showColumns() {
    model_->reload();
    const auto& columns = model_->columns();
    for (int i = 0; i < int(columns.size()); ++i) {
        const int width = columns[size_t(i)].width;
        setColumnHidden(i, width <= 0);
        if (width > 0) setColumnWidth(i, width);
    }
    shownRow_ = -1;
}

void TkGridView::showCurrentRow() {
    const int row = grid_.currentRow();
    model_->currentRowChanged(shownRow_, row);
    shownRow_ = row;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
        return;
    }
    int column = qBound(0, grid_.currentColumn(), model_->columnCount() - 1);
    if (isColumnHidden(column)) {
        column = 0;
        while (column < model_->columnCount() - 1 && isColumnHidden(column)) ++column;
    }
    const QModelIndex index = model_->index(row, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

// --- properties ---------------------------------------------------------------------------

namespace {

void setRole(QPalette& p, QPalette::ColorRole role, const QColor& c) {
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) p.setColor(group, role, c);
}

// Text colour of the font; disabled controls draw their text grey, as the system does.
void setTextRole(QPalette& p, QPalette::ColorRole role, const QColor& c) {
    p.setColor(QPalette::Active, role, c);
    p.setColor(QPalette::Inactive, role, c);
    p.setColor(QPalette::Disabled, role, toQColor(tk::clGray));
}

void showColours(tk::Control& c, QWidget* w) {
    QPalette p = w->palette();
    const QColor back = toQColor(c.color());
    const QColor fore = toQColor(c.font().color);
    switch (c.kind()) {
    case tk::ControlKind::Edit:
    case tk::ControlKind::ComboBox:
    case tk::ControlKind::DBGrid:
        setRole(p, QPalette::Base, back);
        setRole(p, QPalette::Button, back);
        setTextRole(p, QPalette::Text, fore);
        setTextRole(p, QPalette::ButtonText, fore);
        break;
    case tk::ControlKind::Button:
        setRole(p, QPalette::Button, back);
        setTextRole(p, QPalette::ButtonText, fore);
        break;
    case tk::ControlKind::Panel:
        setRole(p, QPalette::Window, back);
        setTextRole(p, QPalette::WindowText, fore);
        break;
    case tk::ControlKind::Label:
        // Labels are transparent: only the font colour shows.
        setTextRole(p, QPalette::WindowText, fore);
        break;
    }
    w->setPalette(p);
}

// A label without a designed size takes the size of its text.
void fitLabel(tk::Control& c, QLabel* label) {
    const tk::Rect& r = c.geometry();
    if (r.width <= 0 || r.height <= 0) {
        label->adjustSize();
        label->move(r.left, r.top);
    }
}

void showButtonCaption(QPushButton* b, const QString& caption) {
    b->setText(caption);
    // The "&" underlines its letter, but the accelerator is the model's: drop Qt's mnemonic.
    b->setShortcut(QKeySequence());
}

void showComboText(tk::ComboBox& c, TkComboBox* w) {
    if (w->isEditable() && w->lineEdit()->text() != c.text()) w->lineEdit()->setText(c.text());
}

void showComboIndex(tk::ComboBox& c, TkComboBox* w) {
    if (w->currentIndex() != c.itemIndex()) w->setCurrentIndex(c.itemIndex());
    showComboText(c, w);
}

void showText(tk::Control& c, QWidget* w) {
    switch (c.kind()) {
    case tk::ControlKind::Edit: {
        auto* e = static_cast<QLineEdit*>(w);
        if (e->text() != c.text()) e->setText(c.text());
        showSelection(static_cast<tk::Edit&>(c), e);
        break;
    }
    case tk::ControlKind::ComboBox:
        showComboIndex(static_cast<tk::ComboBox&>(c), static_cast<TkComboBox*>(w));
        break;
    case tk::ControlKind::Button: showButtonCaption(static_cast<QPushButton*>(w), c.text()); break;
    case tk::ControlKind::Panel:
    case tk::ControlKind::Label:
        static_cast<QLabel*>(w)->setText(c.text());
        if (c.kind() == tk::ControlKind::Label) fitLabel(c, static_cast<QLabel*>(w));
        break;
    case tk::ControlKind::DBGrid: break;
    }
}

void showGeometry(tk::Control& c, QWidget* w) {
    const tk::Rect& r = c.geometry();
    w->setGeometry(r.left, r.top, r.width, r.height);
    if (c.kind() == tk::ControlKind::Label) fitLabel(c, static_cast<QLabel*>(w));
}

void showFont(tk::Control& c, QWidget* w) {
    w->setFont(toQFont(c.font()));
    showColours(c, w);
    if (c.kind() == tk::ControlKind::Label) fitLabel(c, static_cast<QLabel*>(w));
}

void showDropDown(tk::ComboBox& c, TkComboBox* w) {
    if (c.droppedDown() && !w->popupVisible()) w->showPopup();
    else if (!c.droppedDown() && w->popupVisible()) w->hidePopup();
}

QWidget* makeWidget(tk::Control& c, QWidget* parent, const std::function<bool()>& alive) {
    switch (c.kind()) {
    case tk::ControlKind::Edit: {
        auto* e = new QLineEdit(parent);
        e->setContextMenuPolicy(Qt::NoContextMenu);
        return e;
    }
    case tk::ControlKind::ComboBox: {
        auto& combo = static_cast<tk::ComboBox&>(c);
        auto* w = new TkComboBox(parent);
        w->setEditable(combo.style() == tk::ComboBox::Style::DropDown);
        w->setInsertPolicy(QComboBox::NoInsert);
        w->setDuplicatesEnabled(true);
        w->setMaxVisibleItems(8);
        if (w->isEditable()) {
            w->setCompleter(nullptr);
            w->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
        }
        return w;
    }
    case tk::ControlKind::Button: {
        auto* b = new QPushButton(parent);
        b->setAutoDefault(false);
        return b;
    }
    case tk::ControlKind::Panel: {
        // A panel shows its caption centred inside a raised bevel.
        auto* p = new QLabel(parent);
        p->setTextFormat(Qt::PlainText);
        p->setAlignment(Qt::AlignCenter);
        p->setFrameStyle(QFrame::Panel | QFrame::Raised);
        p->setLineWidth(1);
        p->setAutoFillBackground(true);
        return p;
    }
    case tk::ControlKind::Label: {
        auto* l = new QLabel(parent);
        l->setTextFormat(Qt::PlainText);
        return l;
    }
    case tk::ControlKind::DBGrid: return new TkGridView(static_cast<tk::DBGrid&>(c), alive, parent);
    }
    return nullptr;
}

}  // namespace

void showSelection(tk::Edit& edit, QWidget* widget) {
    auto* e = qobject_cast<QLineEdit*>(widget);
    if (!e) return;
    const int length = int(e->text().size());
    const int start = qBound(0, edit.selStart(), length);
    const int count = qBound(0, edit.selLength(), length - start);
    if (count > 0) {
        if (e->selectionStart() != start || e->selectedText().size() != count) e->setSelection(start, count);
    } else if (e->hasSelectedText() || e->cursorPosition() != start) {
        e->deselect();
        e->setCursorPosition(start);
    }
}

void showProperty(tk::Control& c, QWidget* w, tk::Property what) {
    const QSignalBlocker blocker(w);
    // The edit part of a combo box signals on its own.
    auto* comboBox = qobject_cast<TkComboBox*>(w);
    const QSignalBlocker editPartBlocker(comboBox ? comboBox->lineEdit() : nullptr);
    switch (what) {
    case tk::Property::Text: showText(c, w); break;
    case tk::Property::Enabled: w->setEnabled(c.enabled()); break;
    case tk::Property::Visible: w->setVisible(c.visible()); break;
    case tk::Property::Color: showColours(c, w); break;
    case tk::Property::Font: showFont(c, w); break;
    case tk::Property::Geometry: showGeometry(c, w); break;
    case tk::Property::ReadOnly:
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->setReadOnly(static_cast<tk::Edit&>(c).readOnly());
        break;
    case tk::Property::MaxLength:
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            const int n = static_cast<tk::Edit&>(c).maxLength();
            e->setMaxLength(n > 0 ? n : 32767);
        }
        break;
    case tk::Property::Selection:
        if (c.kind() == tk::ControlKind::Edit) showSelection(static_cast<tk::Edit&>(c), w);
        break;
    case tk::Property::Items:
        if (auto* combo = qobject_cast<TkComboBox*>(w)) {
            combo->clear();
            combo->addItems(static_cast<tk::ComboBox&>(c).items());
            showComboIndex(static_cast<tk::ComboBox&>(c), combo);
        }
        break;
    case tk::Property::ItemIndex:
        if (auto* combo = qobject_cast<TkComboBox*>(w)) {
            showComboIndex(static_cast<tk::ComboBox&>(c), combo);
        }
        break;
    case tk::Property::DropDown:
        if (auto* combo = qobject_cast<TkComboBox*>(w)) showDropDown(static_cast<tk::ComboBox&>(c), combo);
        break;
    case tk::Property::Rows:
    case tk::Property::Columns:
        if (auto* grid = qobject_cast<TkGridView*>(w)) {
            grid->showColumns();
            grid->showCurrentRow();
        }
        break;
    case tk::Property::CurrentRow:
        if (auto* grid = qobject_cast<TkGridView*>(w)) grid->showCurrentRow();
        break;
    }
}

QWidget* createControlWidget(tk::Control& control, QWidget* parent, const std::function<bool()>& alive) {
    QWidget* w = makeWidget(control, parent, alive);
    using P = tk::Property;
    for (P p : {P::Font, P::Color, P::Geometry, P::Items, P::Text, P::ReadOnly, P::MaxLength, P::Enabled,
                P::Visible}) {
        showProperty(control, w, p);
    }
    // Graphic controls lie beneath windowed ones, as labels always do.
    if (control.kind() == tk::ControlKind::Label) w->lower();
    return w;
}

}  // namespace tkqt
