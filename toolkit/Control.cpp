#include "toolkit/Control.h"

#include "db/RowSet.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/mask/NumberMask.h"

#include <QMetaType>
#include <algorithm>

namespace tk {

// --- Control ---------------------------------------------------------------------------

Control::Control(Form& form, Control* parent, QString name, ControlKind kind)
    : form_(form), parent_(parent), name_(std::move(name)), kind_(kind) {
    if (parent_) parent_->children_.push_back(this);
}

Control::~Control() = default;

void Control::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    notify(Property::Text);
}

void Control::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    notify(Property::Enabled);
}

void Control::setVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    notify(Property::Visible);
}

bool Control::effectivelyEnabled() const {
    for (const Control* c = this; c; c = c->parent_) {
        if (!c->enabled_) return false;
    }
    return true;
}

bool Control::effectivelyVisible() const {
    for (const Control* c = this; c; c = c->parent_) {
        if (!c->visible_) return false;
    }
    return true;
}

bool Control::canFocus() const {
    // A panel takes the focus from code (the forms park it on their button panel).
    return kind_ != ControlKind::Label && effectivelyEnabled() && effectivelyVisible();
}

void Control::setColor(Color c) {
    if (c == color_) return;
    color_ = c;
    notify(Property::Color);
}

void Control::setFont(const Font& f) {
    if (f == font_) return;
    font_ = f;
    notify(Property::Font);
}

void Control::setGeometry(const Rect& r) {
    geometry_ = r;
    notify(Property::Geometry);
}

void Control::notify(Property what) {
    if (observer_) observer_->controlChanged(*this, what);
}

void Control::fireChange() {
    if (onChange) onChange(*this);
}

// --- Edit ------------------------------------------------------------------------------

Edit::Edit(Form& form, Control* parent, QString name) : Control(form, parent, std::move(name), ControlKind::Edit) {
    setTabStop(true);
    setColor(clWindow);
}

void Edit::setMaxLength(int n) {
    maxLength_ = std::max(0, n);
    notify(Property::MaxLength);
}

void Edit::setReadOnly(bool on) {
    if (on == readOnly_) return;
    readOnly_ = on;
    notify(Property::ReadOnly);
}

void Edit::setText(const QString& text) {
    const bool changed = text != this->text();
    Control::setText(text);
    selStart_ = static_cast<int>(text.size());
    selLength_ = 0;
    notify(Property::Selection);
    if (changed) fireChange();
}

void Edit::selectAll() { setSelection(0, static_cast<int>(text().size())); }

void Edit::setSelection(int start, int length) {
    const int size = static_cast<int>(text().size());
    selStart_ = std::clamp(start, 0, size);
    selLength_ = std::clamp(length, 0, size - selStart_);
    notify(Property::Selection);
}

QString Edit::selectedText() const { return text().mid(selStart_, selLength_); }

void Edit::typeChar(QChar ch) {
    if (readOnly_) return;
    QString t = text();
    if (ch.unicode() == vk::Back) {
        if (selLength_ > 0) {
            t.remove(selStart_, selLength_);
            setTextFromUser(t, selStart_);
        } else if (selStart_ > 0) {
            t.remove(selStart_ - 1, 1);
            setTextFromUser(t, selStart_ - 1);
        }
        return;
    }
    if (ch.unicode() < 0x20) return;  // Enter, Ctrl+Y and the like edit nothing
    if (maxLength_ > 0 && t.size() - selLength_ + 1 > maxLength_) return;
    t.replace(selStart_, selLength_, ch);
    setTextFromUser(t, selStart_ + 1);
}

void Edit::setTextFromUser(const QString& text, int caret) {
    app().event([&] {
        const bool changed = text != this->text();
        Control::setText(text);
        selStart_ = std::clamp(caret, 0, static_cast<int>(text.size()));
        selLength_ = 0;
        notify(Property::Selection);
        if (changed) fireChange();
    });
}

// --- ComboBox --------------------------------------------------------------------------

ComboBox::ComboBox(Form& form, Control* parent, QString name)
    : Control(form, parent, std::move(name), ControlKind::ComboBox) {
    setTabStop(true);
    setColor(clWindow);
}

void ComboBox::clearItems() {
    items_.clear();
    notify(Property::Items);
    setIndexAndText(-1);
}

void ComboBox::addItem(const QString& item) {
    items_ << item;
    notify(Property::Items);
}

void ComboBox::setItems(const QStringList& items) {
    items_ = items;
    notify(Property::Items);
    setIndexAndText(-1);
}

void ComboBox::setIndexAndText(int index) {
    // An index outside the list selects nothing, as the native list does.
    itemIndex_ = (index >= 0 && index < items_.size()) ? index : -1;
    Control::setText(itemIndex_ >= 0 ? items_.at(itemIndex_) : QString());
    notify(Property::ItemIndex);
}

void ComboBox::setItemIndex(int index) { setIndexAndText(index); }

void ComboBox::setText(const QString& text) {
    const int index = static_cast<int>(items_.indexOf(text));
    if (style_ == Style::DropDownList) {
        setIndexAndText(index);
        return;
    }
    Control::setText(text);
    itemIndex_ = index;
    notify(Property::ItemIndex);
}

void ComboBox::setDroppedDown(bool open) {
    if (open == droppedDown_) return;
    droppedDown_ = open;
    notify(Property::DropDown);
}

void ComboBox::selectFromUser(int index) {
    app().event([&] {
        textSelected_ = false;
        setIndexAndText(index);
        fireChange();
    });
}

void ComboBox::setTextFromUser(const QString& text) {
    app().event([&] {
        textSelected_ = false;
        Control::setText(text);
        itemIndex_ = static_cast<int>(items_.indexOf(text));
        notify(Property::ItemIndex);
        fireChange();
    });
}

void ComboBox::typeChar(QChar ch) {
    const bool back = ch.unicode() == vk::Back;
    if (!back && ch.unicode() < 0x20) return;
    if (style_ == Style::DropDownList) {
        // A letter picks the first entry that begins with it.
        if (back) return;
        for (int i = 0; i < items_.size(); ++i) {
            if (items_.at(i).startsWith(ch, Qt::CaseInsensitive)) {
                if (i != itemIndex_) selectFromUser(i);
                return;
            }
        }
        return;
    }
    QString t = textSelected_ ? QString() : text();
    if (back) {
        if (t.isEmpty() && !textSelected_) return;
        t.chop(1);
    } else {
        t += ch;
    }
    setTextFromUser(t);
}

// --- Button, Panel, Label --------------------------------------------------------------

Button::Button(Form& form, Control* parent, QString name) : Control(form, parent, std::move(name), ControlKind::Button) {
    setTabStop(true);
}

QChar Button::accelerator() const {
    const QString& t = text();
    for (int i = 0; i + 1 < t.size(); ++i) {
        if (t.at(i) != QLatin1Char('&')) continue;
        if (t.at(i + 1) == QLatin1Char('&')) {  // "&&" is a literal ampersand
            ++i;
            continue;
        }
        return t.at(i + 1).toUpper();
    }
    return QChar();
}

Panel::Panel(Form& form, Control* parent, QString name) : Control(form, parent, std::move(name), ControlKind::Panel) {}

Label::Label(Form& form, Control* parent, QString name) : Control(form, parent, std::move(name), ControlKind::Label) {}

// --- DBGrid ----------------------------------------------------------------------------

struct DBGrid::Link : db::RowSetObserver {
    explicit Link(DBGrid& g) : grid(g) {}
    void rowSetChanged(Change what) override {
        if (what == Change::RowMoved) {
            grid.rowsChanged(Property::CurrentRow);
            return;
        }
        grid.rowsChanged(Property::Rows);
        if (grid.columns().empty()) grid.rowsChanged(Property::Columns);
    }
    DBGrid& grid;
};

DBGrid::DBGrid(Form& form, Control* parent, QString name)
    : Control(form, parent, std::move(name), ControlKind::DBGrid), link_(std::make_unique<Link>(*this)) {
    setTabStop(true);
    setColor(clWindow);
}

DBGrid::~DBGrid() {
    if (rows_) rows_->removeObserver(link_.get());
}

void DBGrid::setDataSource(db::RowCursor* rows) {
    if (rows_) rows_->removeObserver(link_.get());
    rows_ = rows;
    if (rows_) rows_->addObserver(link_.get());
    notify(Property::Columns);
    notify(Property::Rows);
}

void DBGrid::setColumns(std::vector<GridColumn> columns) {
    columns_ = std::move(columns);
    notify(Property::Columns);
}

std::vector<GridColumn> DBGrid::shownColumns() const {
    if (!columns_.empty() || !rows_) return columns_;
    std::vector<GridColumn> all;
    for (int i = 0; i < rows_->fieldCount(); ++i) {
        GridColumn c;
        c.field = rows_->fieldName(i);
        c.title = c.field;
        all.push_back(c);
    }
    return all;
}

int DBGrid::rowCount() const { return rows_ ? rows_->recordCount() : 0; }

int DBGrid::currentRow() const { return rowCount() > 0 ? rows_->recNo() : -1; }

void DBGrid::setCurrentRow(int row) {
    if (row < 0 || row >= rowCount() || row == currentRow()) return;
    rows_->moveTo(row);  // the rows tell the grid through its link
}

void DBGrid::setCurrentColumn(int c) {
    const int last = static_cast<int>(shownColumns().size()) - 1;
    const int column = std::clamp(c, 0, std::max(0, last));
    if (column == currentColumn_) return;
    currentColumn_ = column;
    notify(Property::CurrentRow);
}

int DBGrid::visibleRowCount() const { return std::max(1, geometry().height / RowHeight - 1); }

namespace {

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

}  // namespace

QString DBGrid::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount()) return QString();
    const std::vector<GridColumn> cols = shownColumns();
    if (column < 0 || column >= static_cast<int>(cols.size())) return QString();
    const GridColumn& col = cols[column];
    const int field = col.field.isEmpty() ? -1 : rows_->fieldIndex(col.field);
    if (field < 0) return QString();  // a column bound to no field of the result stays empty
    const QString text = rows_->text(row, field);
    if (col.displayFormat.isEmpty()) return text;
    const QVariant v = rows_->value(row, field);
    bool numeric = isNumber(v);
    double number = numeric ? v.toDouble() : text.trimmed().toDouble(&numeric);
    if (!numeric) return text;
    return mask::formatNumber(col.displayFormat, number).value_or(text);
}

bool DBGrid::handleKey(int key, ShiftState shift) {
    const int rows = rowCount();
    const int row = currentRow();
    const int lastColumn = static_cast<int>(shownColumns().size()) - 1;
    switch (key) {
    case vk::Tab:
        if (shift & ssAlt) return false;
        if (!(shift & ssShift)) {
            if (currentColumn_ < lastColumn) {
                setCurrentColumn(currentColumn_ + 1);
            } else if (row + 1 < rows) {
                setCurrentRow(row + 1);
                setCurrentColumn(0);
            }
        } else if (currentColumn_ > 0) {
            setCurrentColumn(currentColumn_ - 1);
        } else if (row > 0) {
            setCurrentRow(row - 1);
            setCurrentColumn(lastColumn);
        }
        return true;
    case vk::Left:
        setCurrentColumn(currentColumn_ - 1);
        return true;
    case vk::Right:
        setCurrentColumn(currentColumn_ + 1);
        return true;
    case vk::Up:
        setCurrentRow(std::max(0, row - 1));
        return true;
    case vk::Down:
        setCurrentRow(std::min(rows - 1, row + 1));
        return true;
    case vk::Prior:
        setCurrentRow(std::max(0, row - visibleRowCount()));
        return true;
    case vk::Next:
        setCurrentRow(std::min(rows - 1, row + visibleRowCount()));
        return true;
    case vk::Home:
        setCurrentRow(0);
        return true;
    case vk::End:
        setCurrentRow(rows - 1);
        return true;
    default:
        return false;
    }
}

}  // namespace tk
