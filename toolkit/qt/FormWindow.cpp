#include "toolkit/qt/FormWindow.h"

#include "toolkit/Application.h"
#include "toolkit/qt/ControlWidgets.h"
#include "toolkit/qt/Fonts.h"
#include "toolkit/qt/GridModel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMoveEvent>
#include <QSignalBlocker>

namespace tkqt {

namespace {

Qt::WindowFlags flagsFor(const tk::Form& f) {
    if (f.borderStyle() == tk::BorderStyle::None) return Qt::Window | Qt::FramelessWindowHint;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (!f.systemMenu) return flags;  // no system menu: no close box and no other icon either
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (f.borderStyle() == tk::BorderStyle::Dialog) return flags;
    if (f.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    if (f.maximizeBox && f.borderStyle() == tk::BorderStyle::Sizeable) flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

// The window of the form the application holds active, once the current event is over.
void activateActiveFormLater() {
    if (!qApp) return;
    QMetaObject::invokeMethod(
        qApp,
        [] {
            tk::Form* active = tk::app().activeForm();
            if (auto* w = active ? dynamic_cast<FormWindow*>(active->observer()) : nullptr) w->focusActiveControl();
        },
        Qt::QueuedConnection);
}

}  // namespace

FormWindow::FormWindow(tk::Form& form) : QWidget(nullptr), form_(&form) {
    setAutoFillBackground(true);
    form.setObserver(this);
    installEventFilter(this);
    showWindowProperties();
    buildControls();
}

FormWindow::~FormWindow() {
    detach();
    // The widgets go while this window can still answer their last signals and events.
    const auto children = findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    qDeleteAll(children);
}

tk::Form* FormWindow::form() const {
    // A form that goes tells its window (formFreed), which then forgets it.
    return form_ && form_->observer() == this ? form_ : nullptr;
}

void FormWindow::detach() {
    if (tk::Form* f = form()) {
        f->setObserver(nullptr);
        for (auto& [control, widget] : widgets_) {
            if (control->observer() == this) const_cast<tk::Control*>(control)->setObserver(nullptr);
        }
    }
    form_ = nullptr;
    for (auto& [control, widget] : widgets_) {
        if (auto* grid = qobject_cast<TkGridView*>(widget)) grid->gridModel().detach();
        if (auto* combo = qobject_cast<TkComboBox*>(widget)) combo->onPopup = nullptr;
    }
}

// --- building -----------------------------------------------------------------------------

void FormWindow::buildControls() {
    tk::Form* f = form();
    if (!f) return;
    for (tk::Control* c : f->allControls()) {
        if (!widgets_.count(c)) buildControl(*c);
    }
}

QWidget* FormWindow::widgetFor(tk::Control& control) {
    if (&control.form() != form()) return nullptr;
    if (QWidget* w = widgetOf(control)) return w;
    return buildControl(control);
}

QWidget* FormWindow::widgetOf(const tk::Control& control) const {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

QWidget* FormWindow::buildControl(tk::Control& control) {
    QWidget* parent = control.parent() ? widgetFor(*control.parent()) : this;
    if (!parent) parent = this;
    QWidget* w = createControlWidget(control, parent, [this] { return form() != nullptr; });
    widgets_[&control] = w;
    controls_[w] = &control;
    control.setObserver(this);
    watch(w);
    connectSignals(control, w);
    return w;
}

// Qt's own focus handling never acts: clicks and Tab go through the model, which then
// says where the focus goes.
void FormWindow::watch(QWidget* widget) {
    widget->setFocusPolicy(Qt::NoFocus);
    widget->installEventFilter(this);
    for (QWidget* part : widget->findChildren<QWidget*>()) {
        part->setFocusPolicy(Qt::NoFocus);
        part->installEventFilter(this);
    }
}

void FormWindow::connectSignals(tk::Control& control, QWidget* widget) {
    if (auto* lineEdit = qobject_cast<QLineEdit*>(widget); lineEdit && control.kind() == tk::ControlKind::Edit) {
        auto& edit = static_cast<tk::Edit&>(control);
        // Typing, pasting and composed input all end here (the model's own texts arrive with
        // signals blocked).
        connect(lineEdit, &QLineEdit::textChanged, this,
                [this, &edit, lineEdit](const QString& text) { editedByUser(edit, text, lineEdit->cursorPosition()); });
        connect(lineEdit, &QLineEdit::selectionChanged, this, [this, &edit, lineEdit] { selectedByUser(edit, lineEdit); });
        connect(lineEdit, &QLineEdit::cursorPositionChanged, this,
                [this, &edit, lineEdit] { selectedByUser(edit, lineEdit); });
        return;
    }
    auto* combo = qobject_cast<TkComboBox*>(widget);
    if (!combo) return;
    auto& model = static_cast<tk::ComboBox&>(control);
    if (combo->lineEdit()) {
        connect(combo->lineEdit(), &QLineEdit::textChanged, this, [this, &model](const QString& text) {
            if (form() && text != model.text()) model.setTextFromUser(text);
        });
    }
    // Only the clerk changes the index while signals flow; an index the model already
    // holds (the edit part's text matched an entry) is no new choice.
    connect(combo, &QComboBox::currentIndexChanged, this, [this, &model](int index) {
        if (form() && index != model.itemIndex()) model.selectFromUser(index);
    });
    combo->onPopup = [this, &model](bool open) {
        if (form()) model.setDroppedDown(open);
    };
    // The open list is a window of its own that takes the keys (see openListKey).
    combo->view()->installEventFilter(this);
}

tk::Control* FormWindow::controlOf(QObject* object) const {
    for (QObject* o = object; o && o != this; o = o->parent()) {
        auto it = controls_.find(o);
        if (it != controls_.end()) return it->second;
        if (o->isWidgetType() && static_cast<QWidget*>(o)->isWindow()) break;
    }
    return nullptr;
}

// The combo box whose open list (a popup window of its own) holds `object`.
tk::Control* FormWindow::listOwnerOf(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    QWidget* popup = widget ? widget->window() : nullptr;
    if (!popup || popup == this) return nullptr;
    auto* combo = qobject_cast<TkComboBox*>(popup->parentWidget());
    auto it = controls_.find(combo);
    return combo && it != controls_.end() && combo->view()->window() == popup ? it->second : nullptr;
}

// --- the window ---------------------------------------------------------------------------

void FormWindow::showWindowProperties() {
    tk::Form* f = form();
    if (!f) return;
    if (!isVisible() && windowFlags() != flagsFor(*f)) setWindowFlags(flagsFor(*f));
    setWindowTitle(f->caption());
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(f->color()));
    setPalette(p);
    setFont(toQFont(f->font()));
    if (f->borderStyle() == tk::BorderStyle::Sizeable) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(f->clientWidth(), f->clientHeight());
    } else {
        setFixedSize(f->clientWidth(), f->clientHeight());
    }
    if (!syncingPosition_ && frameGeometry().topLeft() != QPoint(f->left(), f->top())) move(f->left(), f->top());
}

void FormWindow::focusActiveControl() {
    tk::Form* f = form();
    if (!f || !isVisible()) return;
    if (tk::app().activeForm() == f && !isActiveWindow()) {
        raiseWithOpenLists();
        activateWindow();
    }
    tk::Control* c = f->activeControl();
    QWidget* target = c ? widgetFor(*c) : nullptr;
    if (target && c->canFocus()) {
        if (!target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
    } else if (!hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
}

void FormWindow::raiseWithOpenLists() {
    raise();
    raiseOpenLists();
}

// A list opened while its window was still coming forward stays above it: without a window
// manager nothing else keeps a popup over a window raised or activated after it opened.
void FormWindow::raiseOpenLists() {
    for (const auto& [control, widget] : widgets_) {
        auto* combo = qobject_cast<TkComboBox*>(widget);
        if (combo && combo->popupVisible()) combo->view()->window()->raise();
    }
}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        // The clerk brought this window forward: the form becomes active, no exit runs.
        tk::Form* f = form();
        if (f && f->visible() && tk::app().activeForm() != f) f->userActivate();
        else focusActiveControl();
        raiseOpenLists();
    }
    return QWidget::event(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The close box and Alt+F4 of the window system ask the model, which decides. A window
    // without a close box gets a close request only from Alt+F4 that the window manager
    // kept for itself: it goes to the form as that key, so key preview may refuse it.
    event->ignore();
    tk::Form* f = form();
    if (!f) return;
    if (f->systemMenu) {
        f->userClose();
        return;
    }
    f->userKeyDown(tk::vk::F4, tk::ssAlt);
    if (form()) f->userKeyUp(tk::vk::F4, tk::ssAlt);
}

void FormWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    tk::Form* f = form();
    if (!f || !isVisible()) return;
    // The clerk dragged the window: the form keeps the place for its next showing.
    const QPoint at = frameGeometry().topLeft();
    if (at == QPoint(f->left(), f->top())) return;
    syncingPosition_ = true;
    f->setPosition(at.x(), at.y());
    syncingPosition_ = false;
}

// --- model -> widgets -----------------------------------------------------------------------

void FormWindow::formShown(tk::Form&) {
    buildControls();
    showWindowProperties();
    show();
    raiseWithOpenLists();
    activateWindow();
    focusActiveControl();
}

void FormWindow::formHidden(tk::Form&) {
    hide();
    activateActiveFormLater();
}

void FormWindow::formFreed(tk::Form&) {
    detach();
    hide();
    deleteLater();
    activateActiveFormLater();
}

void FormWindow::activeControlChanged(tk::Form&) { focusActiveControl(); }

void FormWindow::formGeometryChanged(tk::Form&) { showWindowProperties(); }

void FormWindow::controlChanged(tk::Control& control, tk::Property what) {
    if (!form()) return;
    QWidget* w = widgetOf(control);
    if (!w) {
        buildControls();
        return;
    }
    if (opensDuringPress(control, what)) {
        dropAfterClick_ = &control;
        return;
    }
    showProperty(control, w, what);
}

}  // namespace tkqt
