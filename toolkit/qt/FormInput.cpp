// Real input into the model first: keys, typed characters, clicks and double clicks.
#include "toolkit/Application.h"
#include "toolkit/qt/ControlWidgets.h"
#include "toolkit/qt/FormWindow.h"
#include "toolkit/qt/KeyMap.h"

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <utility>

namespace tkqt {

namespace {

bool isTextControl(const tk::Control* c) {
    return c && (c->kind() == tk::ControlKind::Edit || c->kind() == tk::ControlKind::ComboBox);
}

bool isGraphic(const tk::Control& c) {
    return c.kind() == tk::ControlKind::Label || c.kind() == tk::ControlKind::Panel;
}

// Keys that type nothing but edit or move in an edit or a combo box (arrows, Home, End,
// Delete, the combo's Alt+Down and F4) are the native widget's work.
bool nativeKey(const tk::Control* c, int key, tk::ShiftState shift) {
    if (!isTextControl(c)) return false;
    if (shift & tk::ssAlt) return c->kind() == tk::ControlKind::ComboBox && (key == tk::vk::Up || key == tk::vk::Down);
    return key != tk::vk::Tab && key != tk::vk::Return && key != tk::vk::Escape;
}

// Enter and Escape reach the key-press handlers but edit nothing.
bool editsNothing(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QChar(0x1B));
}

// Delivers an event to the widget itself, past every filter, so it neither comes back here
// nor travels on to the parent.
void deliver(QWidget* widget, QEvent* event) { static_cast<QObject*>(widget)->event(event); }

bool isScrollBar(QObject* o) { return qobject_cast<QScrollBar*>(o) != nullptr; }

}  // namespace

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::FocusIn:
    case QEvent::Wheel:
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // Dropped text would pass no key-press handler.
        return controlOf(watched) != nullptr;
    default:
        return false;
    }
    if (!form()) return false;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        if (tk::Control* list = listOwnerOf(watched)) return openListKey(*list, static_cast<QKeyEvent*>(event));
    }
    tk::Control* control = controlOf(watched);
    auto* widget = static_cast<QWidget*>(watched);
    const bool controlWidget = control && controls_.count(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!controlWidget && watched != this) return false;
        return keyPressed(control, widget, static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        if (!controlWidget && watched != this) return false;
        return keyReleased(static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        if (!controlWidget || !isTextControl(control)) return false;
        return inputMethod(*control, widget, static_cast<QInputMethodEvent*>(event));
    case QEvent::FocusIn:
        if (controlWidget) focusArrived(*control, widget);
        return false;
    case QEvent::Wheel:
        // The wheel picks entries only in the combo box that holds the focus.
        return control && control->kind() == tk::ControlKind::ComboBox && form_->activeControl() != control;
    default:
        break;
    }
    if (event->type() != QEvent::MouseButtonRelease && tk::app().activeForm() != form_ && form_->visible()) {
        // A click into another window activates it first (no exit handler runs there).
        form_->userActivate();
        if (!form()) return true;
    }
    if (!control) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress) return mousePressed(*control, watched, mouse);
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool done = mouseReleased(*control, watched, mouse);
        dropDownAfterClick();
        return done;
    }
    return mouseDoubleClicked(*control, watched, mouse);
}

// The native widget shows the selection the model gave the control on its arrival
// (keyboard and code select the whole text, a click puts the caret at the end).
void FormWindow::focusArrived(tk::Control& control, QWidget* widget) {
    if (control.kind() == tk::ControlKind::Edit) {
        const QSignalBlocker blocker(widget);
        showSelection(static_cast<tk::Edit&>(control), widget);
    }
    auto* combo = qobject_cast<TkComboBox*>(widget);
    if (combo && combo->lineEdit() && static_cast<tk::ComboBox&>(control).textSelected()) {
        const QSignalBlocker blocker(combo->lineEdit());
        combo->lineEdit()->selectAll();
    }
}

// --- keys -------------------------------------------------------------------------------------

bool FormWindow::keyPressed(tk::Control* control, QWidget* widget, QKeyEvent* event) {
    event->accept();
    const int key = virtualKey(*event);
    const tk::ShiftState shift = shiftState(event->modifiers());
    const QString typed = typedText(*event);
    if (key != 0) {
        // Swallowed by a handler, or used by the model (Tab, Alt+letter, grid keys, ...).
        if (form_->userKeyDown(key, shift) == 0 || !form()) return true;
    }
    if (typed.isEmpty()) {
        if (nativeKey(control, key, shift)) {
            deliver(widget, event);
            reportText(*control, widget);
        }
        return true;
    }
    const QString passed = filterTyped(typed);
    if (passed.isEmpty() || !form() || editsNothing(passed)) return true;
    tk::Control* receiver = form_->activeControl();
    if (receiver == control && isTextControl(control) && passed == typed) {
        deliver(widget, event);  // the native edit applies it
        reportText(*control, widget);
    } else {
        typeIntoModel(receiver, passed);  // the focus moved on, or a handler changed the key
    }
    return true;
}

bool FormWindow::keyReleased(QKeyEvent* event) {
    event->accept();
    if (event->isAutoRepeat()) return true;  // a held key goes up once, at the end
    if (const int key = virtualKey(*event)) form_->userKeyUp(key, shiftState(event->modifiers()));
    return true;
}

// An open list holds the keyboard, so its keys never reach the form's widgets. Alt and an
// accelerator letter go to the form as they do with the list closed, and the list then shows
// what the handlers made of it; every other key stays the list's (arrows, Enter, Escape).
bool FormWindow::openListKey(tk::Control& list, QKeyEvent* event) {
    if (!tk::Form::isAcceleratorKey(virtualKey(*event), shiftState(event->modifiers()))) return false;
    QWidget* combo = widgetOf(list);
    const bool used = event->type() == QEvent::KeyPress ? keyPressed(&list, combo, event) : keyReleased(event);
    if (form()) showProperty(list, combo, tk::Property::DropDown);
    return used;
}

QString FormWindow::filterTyped(const QString& text) {
    QString passed;
    for (QChar ch : text) {
        const QChar left = form_->userKeyPress(ch);
        if (!form()) break;
        if (!left.isNull()) passed += left;
    }
    return passed;
}

void FormWindow::typeIntoModel(tk::Control* receiver, const QString& text) {
    for (QChar ch : text) {
        if (!form() || !receiver) return;
        if (receiver->kind() == tk::ControlKind::Edit) static_cast<tk::Edit*>(receiver)->typeChar(ch);
        if (receiver->kind() == tk::ControlKind::ComboBox) static_cast<tk::ComboBox*>(receiver)->typeChar(ch);
    }
}

// Composed text (the Korean input method) passes the key-press handlers as typed keys do.
bool FormWindow::inputMethod(tk::Control& control, QWidget* widget, QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty()) return false;
    const QString passed = filterTyped(commit);
    if (!form()) return true;
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(passed, event->replacementStart(), event->replacementLength());
    deliver(widget, &filtered);
    reportText(control, widget);
    return true;
}

// The text the native widget holds after it acted, for the model.
void FormWindow::reportText(tk::Control& control, QWidget* widget) {
    if (!form()) return;
    if (auto* lineEdit = qobject_cast<QLineEdit*>(widget); lineEdit && control.kind() == tk::ControlKind::Edit) {
        editedByUser(static_cast<tk::Edit&>(control), lineEdit->text(), lineEdit->cursorPosition());
    }
    auto* combo = qobject_cast<TkComboBox*>(widget);
    if (combo && combo->lineEdit() && combo->lineEdit()->text() != control.text()) {
        static_cast<tk::ComboBox&>(control).setTextFromUser(combo->lineEdit()->text());
    }
}

void FormWindow::editedByUser(tk::Edit& edit, const QString& text, int caret) {
    if (form() && text != edit.text()) edit.setTextFromUser(text, caret);
}

void FormWindow::selectedByUser(tk::Edit& edit, QWidget* widget) {
    auto* lineEdit = static_cast<QLineEdit*>(widget);
    // Losing the focus clears the native selection; the model keeps its own.
    if (!form() || !lineEdit->hasFocus()) return;
    if (lineEdit->hasSelectedText()) {
        edit.setSelection(lineEdit->selectionStart(), int(lineEdit->selectedText().size()));
    } else {
        edit.setSelection(lineEdit->cursorPosition(), 0);
    }
}

// --- mouse ------------------------------------------------------------------------------------

// A left press moves the focus through the model (the field left runs its exit handler);
// the native widget acts only when the control then holds the focus.
bool FormWindow::mousePressed(tk::Control& control, QObject* watched, QMouseEvent* event) {
    event->accept();
    pressed_ = dropAfterClick_ = nullptr;
    if (event->button() != Qt::LeftButton) return true;  // no context menus, no X11 paste
    pressed_ = &control;
    if (isGraphic(control)) return true;
    form_->userFocus(control);
    if (!form() || form_->activeControl() != &control) return true;
    if (control.kind() == tk::ControlKind::DBGrid) return !isScrollBar(watched);
    return false;
}

// The release ends a click when it comes over the control the press went to and that
// control still holds the focus; on a grid's data cell it is a cell click.
bool FormWindow::mouseReleased(tk::Control& control, QObject* watched, QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return true;
    tk::Control* pressed = std::exchange(pressed_, nullptr);
    auto* widget = static_cast<QWidget*>(watched);
    const bool native = !isGraphic(control) && (control.kind() != tk::ControlKind::DBGrid || isScrollBar(watched));
    if (native) deliver(widget, event);
    if (pressed != &control || !form() || !widget->rect().contains(event->position().toPoint())) return true;
    if (isGraphic(control)) {
        form_->userClick(control);
        return true;
    }
    if (form_->activeControl() != &control) return true;
    if (control.kind() != tk::ControlKind::DBGrid) {
        form_->userClick(control);
        return true;
    }
    auto* grid = static_cast<TkGridView*>(widgetOf(control));
    if (watched == grid->viewport()) {
        const int row = grid->dataRowAt(event->position().toPoint());
        if (row >= 0) form_->userCellClick(static_cast<tk::DBGrid&>(control), row);
    }
    return true;
}

// A list that a handler drops down while the button is held opens when the click is over:
// opened earlier, its popup would take the release as a click outside itself and close.
bool FormWindow::opensDuringPress(const tk::Control& control, tk::Property what) const {
    return what == tk::Property::DropDown && pressed_ && (QGuiApplication::mouseButtons() & Qt::LeftButton) &&
           static_cast<const tk::ComboBox&>(control).droppedDown();
}

void FormWindow::dropDownAfterClick() {
    tk::Control* control = std::exchange(dropAfterClick_, nullptr);
    QWidget* widget = control && form() ? widgetOf(*control) : nullptr;
    if (widget) showProperty(*control, widget, tk::Property::DropDown);
}

// A button takes the second press of a double click as another click; other controls
// run their double-click handler (a grid's anywhere, titles included).
bool FormWindow::mouseDoubleClicked(tk::Control& control, QObject* watched, QMouseEvent* event) {
    if (control.kind() == tk::ControlKind::Button) return mousePressed(control, watched, event);
    event->accept();
    pressed_ = nullptr;
    if (event->button() != Qt::LeftButton) return true;
    form_->userDblClick(control);
    if (!form() || !isTextControl(&control) || form_->activeControl() != &control) return true;
    return false;  // the edit selects the word under the pointer
}

}  // namespace tkqt
