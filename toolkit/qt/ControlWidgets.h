#pragma once
// One Qt widget per toolkit control: creating it and showing a changed property of the
// model in it. Signals of the widget are blocked while the model is shown, so only real
// input reaches the model.

#include "toolkit/Control.h"

#include <QComboBox>
#include <QTableView>
#include <functional>

namespace tkqt {

class GridModel;

// A combo box that reports its list being opened or closed.
class TkComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;
    void hidePopup() override;
    bool popupVisible() const { return popupVisible_; }
    std::function<void(bool open)> onPopup;

private:
    bool popupVisible_ = false;
};

// A read-only grid over a toolkit grid's rows.
class TkGridView : public QTableView {
    Q_OBJECT
public:
    TkGridView(tk::DBGrid& grid, std::function<bool()> alive, QWidget* parent);
    GridModel& gridModel() const { return *model_; }
    // The data row under a point of the viewport; -1 over no data cell.
    int dataRowAt(const QPoint& viewportPos) const;
    void showColumns();
    void showCurrentRow();

private:
    tk::DBGrid& grid_;
    GridModel* model_;
    int shownRow_ = -1;
};

// Builds the widget of a control inside `parent`, showing every property of the model.
// `alive` tells whether the control may still be read when Qt repaints on its own.
QWidget* createControlWidget(tk::Control& control, QWidget* parent, const std::function<bool()>& alive);
// Shows one changed property of the model in the control's widget.
void showProperty(tk::Control& control, QWidget* widget, tk::Property what);
// Shows the model's selection of an edit (or the edit part of a combo box).
void showSelection(tk::Edit& edit, QWidget* widget);

}  // namespace tkqt
