#pragma once
// Controls of the retained form model. The model is the truth; a widgetset (toolkit/qt)
// renders it and feeds real input back through Form's user-input entry points.

#include "toolkit/Types.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace db {
class RowCursor;
}

namespace tk {

enum class ControlKind { Edit, ComboBox, Button, Panel, Label, DBGrid };

// What changed on a control; the widgetset repaints that aspect only.
enum class Property {
    Text,
    Enabled,
    Visible,
    Color,
    Font,
    Geometry,
    ReadOnly,
    MaxLength,
    Selection,   // edit selection / caret
    Items,       // combo items
    ItemIndex,   // combo selection
    DropDown,    // combo drop-down opened or closed
    Rows,        // grid: the bound query was opened, closed or re-read
    CurrentRow,  // grid: the current row or the current column moved
    Columns,     // grid: columns or their titles/widths changed
};

class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void controlChanged(Control& control, Property what) = 0;
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

class Control {
public:
    Control(Form& form, Control* parent, QString name, ControlKind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const QString& name() const { return name_; }
    Form& form() const { return form_; }
    Control* parent() const { return parent_; }
    // Children in creation order (panels hold controls; other kinds have none).
    const std::vector<Control*>& children() const { return children_; }

    // Text (the caption of buttons, labels and panels). Setting it from code fires
    // the change handler of an edit (as typing does) but never that of a combo box.
    const QString& text() const { return text_; }
    virtual void setText(const QString& text);

    // Free hidden storage, never shown.
    const QString& hint() const { return hint_; }
    void setHint(const QString& hint) { hint_ = hint; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    // Enabled and visible, and so are all its containers up to the form.
    bool effectivelyEnabled() const;
    bool effectivelyVisible() const;
    // May take the focus now: a focusable kind, effectively enabled and visible.
    bool canFocus() const;

    Color color() const { return color_; }
    void setColor(Color c);
    const Font& font() const { return font_; }
    void setFont(const Font& f);

    const Rect& geometry() const { return geometry_; }
    void setGeometry(const Rect& r);

    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order) { tabOrder_ = order; }
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool on) { tabStop_ = on; }

    // Handlers; empty when not assigned.
    NotifyEvent onEnter, onExit, onClick, onDblClick, onChange;
    KeyEvent onKeyDown, onKeyUp;
    KeyPressEvent onKeyPress;

    // One observer (the widget that renders the control).
    void setObserver(ControlObserver* observer) { observer_ = observer; }
    ControlObserver* observer() const { return observer_; }

protected:
    void notify(Property what);
    void fireChange();

private:
    friend class Form;
    Form& form_;
    Control* parent_;
    QString name_;
    ControlKind kind_;
    std::vector<Control*> children_;
    QString text_, hint_;
    bool enabled_ = true, visible_ = true;
    Color color_ = clBtnFace;
    Font font_;
    Rect geometry_;
    int tabOrder_ = 0;
    bool tabStop_ = false;
    ControlObserver* observer_ = nullptr;
};

class Edit : public Control {
public:
    Edit(Form& form, Control* parent, QString name);

    int maxLength() const { return maxLength_; }  // 0: no limit
    void setMaxLength(int n);
    bool readOnly() const { return readOnly_; }  // focus and selection still work
    void setReadOnly(bool on);

    void setText(const QString& text) override;  // caret to the end, no selection
    void selectAll();
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void setSelection(int start, int length);
    QString selectedText() const;

    // What typing does when no handler dropped the character: replace the selection,
    // insert at the caret within the maximum length, Backspace deletes; read-only edits
    // take nothing. Used by the headless input path; a real widget edits itself and
    // reports the result through setTextFromUser.
    void typeChar(QChar ch);
    // Text changed by the widget on behalf of the user: stored, change handler fired.
    void setTextFromUser(const QString& text, int caret);

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    int selStart_ = 0, selLength_ = 0;
};

class ComboBox : public Control {
public:
    enum class Style { DropDown, DropDownList };
    ComboBox(Form& form, Control* parent, QString name);

    Style style() const { return style_; }
    void setStyle(Style s) { style_ = s; }

    const QStringList& items() const { return items_; }
    void clearItems();
    void addItem(const QString& item);
    void setItems(const QStringList& items);

    // -1 for none. Setting it from code shows that item's text and runs no change handler.
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);

    // Setting the text from code: the index becomes the matching item (exact, or -1);
    // no change handler.
    void setText(const QString& text) override;

    bool droppedDown() const { return droppedDown_; }
    void setDroppedDown(bool open);

    // The clerk picks an entry of the list or types into the edit part: fires change.
    void selectFromUser(int index);
    void setTextFromUser(const QString& text);
    void typeChar(QChar ch);  // headless typing into the edit part

    // Whether the edit part's text is selected (the focus arrived by keyboard or code):
    // the next typed character then replaces it.
    void setTextSelected(bool on) { textSelected_ = on; }
    bool textSelected() const { return textSelected_; }

private:
    void setIndexAndText(int index);
    Style style_ = Style::DropDown;
    QStringList items_;
    int itemIndex_ = -1;
    bool droppedDown_ = false;
    bool textSelected_ = false;
};

class Button : public Control {
public:
    Button(Form& form, Control* parent, QString name);
    // The letter after "&" in the caption, upper case; null when there is none.
    QChar accelerator() const;
};

class Panel : public Control {
public:
    Panel(Form& form, Control* parent, QString name);
};

class Label : public Control {
public:
    Label(Form& form, Control* parent, QString name);
};

struct GridColumn {
    QString field;  // empty: bound to no field
    QString title;
    int width = 64;
    QString displayFormat;  // for number fields, e.g. "#,##0"; empty shows the value as read
    enum class Align { Left, Center, Right } titleAlign = Align::Left;
};

// A grid over the rows of a row set (a query); its current row is the row set's current row.
class DBGrid : public Control {
public:
    DBGrid(Form& form, Control* parent, QString name);
    ~DBGrid() override;

    void setDataSource(db::RowCursor* rows);
    db::RowCursor* dataSource() const { return rows_; }

    // Columns as designed; with none, the grid shows every field of the rows with default widths.
    const std::vector<GridColumn>& columns() const { return columns_; }
    void setColumns(std::vector<GridColumn> columns);
    // Columns as shown now: the designed ones, or one per field of the rows when none are designed.
    std::vector<GridColumn> shownColumns() const;

    int rowCount() const;    // 0 when the rows are closed
    int currentRow() const;  // -1 when there are no rows
    void setCurrentRow(int row);
    QString cellText(int row, int column) const;  // by shown column; numbers formatted by the column's display format

    int currentColumn() const { return currentColumn_; }
    void setCurrentColumn(int c);  // clamped to the shown columns

    // Row geometry the page keys reckon with (a widgetset draws rows this high).
    static constexpr int RowHeight = 18;
    // Data rows that fit below the title row (at least one).
    int visibleRowCount() const;

    // The grid's own work for a key that went down while it has the focus: Tab and
    // Shift+Tab move between columns (on to the next row's first column; the last cell
    // keeps the focus), Left/Right move a column, Up/Down/PageUp/PageDown/Home/End move
    // the current row. True when the key was the grid's.
    bool handleKey(int key, ShiftState shift);

    // Called by the bound rows when they open, close or move.
    void rowsChanged(Property what) { notify(what); }

private:
    db::RowCursor* rows_ = nullptr;
    std::vector<GridColumn> columns_;
    int currentColumn_ = 0;
    struct Link;
    std::unique_ptr<Link> link_;
};

}  // namespace tk
