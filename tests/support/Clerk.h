#pragma once
// Drives forms as a clerk would, headless: focus, type, Enter, Tab, click, double-click,
// Alt+letter, arrow keys in a grid, picking an office from a list. Every step goes through
// the same Form::user* entry points the Qt widgetset uses. The toolkit's driver for tests; no
// program ships it.

#include "toolkit/Form.h"

namespace tk {

class Clerk {
public:
    explicit Clerk(Form& form) : form_(&form) {}
    Form& form() const { return *form_; }
    void switchTo(Form& form);  // clicks into another window: activates it, no exit

    void focus(const QString& control);  // a mouse click into the control
    void click(const QString& control);  // mouse press and release
    void dblClick(const QString& control);
    void clickCell(const QString& grid, int row);
    // Types each character as key down, key press (applied to the focused edit or
    // combo when not dropped) and key up.
    void type(const QString& text);
    void selectAllAndType(const QString& text);  // replaces the focused edit's text
    void press(int key, ShiftState shift = ssNone);  // key down, its character if any, key up
    void enter() { press(vk::Return); }
    void tab() { press(vk::Tab); }
    void backTab() { press(vk::Tab, ssShift); }
    void alt(QChar letter);  // Alt+letter
    void pick(const QString& combo, int index);  // chooses an entry of a list with the mouse

private:
    Form* form_;
};

}  // namespace tk
