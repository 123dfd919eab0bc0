#include "toolkit/Form.h"

#include "db/Query.h"
#include "toolkit/Application.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tk {

namespace {

std::string quoted(const QString& s) { return "\"" + s.toStdString() + "\""; }

std::vector<Control*> inTabOrder(const std::vector<Control*>& siblings) {
    std::vector<Control*> sorted = siblings;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Control* a, const Control* b) { return a->tabOrder() < b->tabOrder(); });
    return sorted;
}

// Every control, containers before their children, each level in tab order.
void collectTabOrder(const std::vector<Control*>& siblings, std::vector<Control*>& out) {
    for (Control* c : inTabOrder(siblings)) {
        out.push_back(c);
        collectTabOrder(c->children(), out);
    }
}

// Panels take the focus only from code; a click on one does not move it.
bool takesFocusOnClick(const Control& c) {
    return c.kind() != ControlKind::Panel && c.kind() != ControlKind::Label && c.canFocus();
}

template <class T>
T& controlOfKind(const Form& form, const QString& name, const char* kind) {
    auto* c = dynamic_cast<T*>(&form.control(name));
    if (!c) throw std::invalid_argument("control " + quoted(name) + " of form " + quoted(form.name()) + " is not " + kind);
    return *c;
}

}  // namespace

Form::Form(QString name) : name_(std::move(name)) {}

Form::~Form() {
    // The widgetset lets go of the form while its controls are still there to be let go.
    if (FormObserver* o = std::exchange(observer_, nullptr)) o->formFreed(*this);
    // Grids let go of their queries before the queries go.
    owned_.clear();
    queries_.clear();
}

// --- controls --------------------------------------------------------------------------

void Form::adopt(std::unique_ptr<Control> c) {
    Control* parent = c->parent();
    auto fail = [&](const std::string& why) {
        if (parent) parent->children_.pop_back();  // the constructor had joined it
        throw std::invalid_argument(why);
    };
    if (parent && &parent->form() != this) fail("parent of " + quoted(c->name()) + " belongs to another form");
    if (byName_.count(c->name())) fail("form " + quoted(name_) + " already has a control named " + quoted(c->name()));
    byName_[c->name()] = c.get();
    if (!parent) topLevel_.push_back(c.get());
    owned_.push_back(std::move(c));
}

Control* Form::findControl(const QString& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

Control& Form::control(const QString& name) const {
    Control* c = findControl(name);
    if (!c) throw std::out_of_range("form " + quoted(name_) + " has no control named " + quoted(name));
    return *c;
}

Edit& Form::edit(const QString& name) const { return controlOfKind<Edit>(*this, name, "an edit"); }
ComboBox& Form::comboBox(const QString& name) const { return controlOfKind<ComboBox>(*this, name, "a combo box"); }
Button& Form::button(const QString& name) const { return controlOfKind<Button>(*this, name, "a button"); }
Panel& Form::panel(const QString& name) const { return controlOfKind<Panel>(*this, name, "a panel"); }
Label& Form::label(const QString& name) const { return controlOfKind<Label>(*this, name, "a label"); }
DBGrid& Form::grid(const QString& name) const { return controlOfKind<DBGrid>(*this, name, "a grid"); }

std::vector<Control*> Form::allControls() const {
    std::vector<Control*> all;
    for (const auto& c : owned_) all.push_back(c.get());
    return all;
}

db::Query& Form::query(const QString& name) const {
    auto it = queries_.find(name);
    if (it == queries_.end()) throw std::out_of_range("form " + quoted(name_) + " has no query named " + quoted(name));
    return *it->second;
}

db::Query& Form::addQuery(const QString& name, const QString& alias) {
    if (queries_.count(name)) throw std::invalid_argument("form " + quoted(name_) + " already has a query named " + quoted(name));
    auto& q = queries_[name];
    q = std::make_unique<db::Query>(alias);
    return *q;
}

// --- properties ------------------------------------------------------------------------

void Form::setCaption(const QString& c) {
    caption_ = c;
    if (observer_) observer_->formGeometryChanged(*this);
}

void Form::setClientSize(int w, int h) {
    clientWidth_ = w;
    clientHeight_ = h;
    if (observer_) observer_->formGeometryChanged(*this);
}

void Form::setPosition(int left, int top) {
    left_ = left;
    top_ = top;
    if (observer_) observer_->formGeometryChanged(*this);
}

// Without a widgetset: the classic frame (3-pixel fixed or 4-pixel sizeable border, 19-pixel
// title bar).
int Form::width() const {
    if (Widgetset* w = app().widgetset()) return clientWidth_ + w->frameWidth();
    switch (borderStyle_) {
    case BorderStyle::None: return clientWidth_;
    case BorderStyle::Sizeable: return clientWidth_ + 2 * 4;
    default: return clientWidth_ + 2 * 3;
    }
}

int Form::height() const {
    if (Widgetset* w = app().widgetset()) return clientHeight_ + w->frameHeight();
    switch (borderStyle_) {
    case BorderStyle::None: return clientHeight_;
    case BorderStyle::Sizeable: return clientHeight_ + 19 + 2 * 4;
    default: return clientHeight_ + 19 + 2 * 3;
    }
}

// --- showing and closing ---------------------------------------------------------------

void Form::show() {
    if (freed_) throw std::logic_error("form " + quoted(name_) + " was freed and cannot be shown");
    visible_ = true;
    app().setActiveForm(this);
    if (observer_) observer_->formShown(*this);
    if (shownOnce_) {
        notifyActiveControl();  // the control that had the focus gets it back
        return;
    }
    shownOnce_ = true;
    Control* first = (active_ && active_->canFocus()) ? active_ : findNextControl(nullptr, true);
    active_ = focused_ = nullptr;
    if (first) {
        focusControl(*first, false);
    } else {
        notifyActiveControl();
    }
}

void Form::hide() {
    if (!visible_) return;
    visible_ = false;
    if (observer_) observer_->formHidden(*this);
    if (app().activeForm() != this) return;
    Form* next = nullptr;
    for (const auto& f : app().forms()) {
        if (f.get() != this && f->visible() && (!next || f.get() == app().mainForm())) next = f.get();
    }
    app().setActiveForm(next);
}

void Form::close() {
    CloseAction action = CloseAction::Hide;
    if (onClose) onClose(*this, action);
    if (action == CloseAction::None) return;
    const bool isMain = app().mainForm() == this;
    if (action == CloseAction::Minimize && !isMain) return;
    hide();
    if (action == CloseAction::Free) {
        freed_ = true;
        if (observer_) observer_->formFreed(*this);
    }
    if (isMain) app().terminate();
}

// --- focus -----------------------------------------------------------------------------

bool Form::setFocus(Control& target) { return focusControl(target, false); }

bool Form::focusControl(Control& target, bool byMouse) {
    if (&target.form() != this) {
        throw std::invalid_argument("control " + quoted(target.name()) + " is not on form " + quoted(name_));
    }
    if (!target.canFocus()) return false;
    if (exitDepth_ > 0) {  // inside an exit handler: the last request holds
        active_ = &target;
        return true;
    }
    if (!visible_) {  // remembered for the next show; nothing really holds the focus
        active_ = focused_ = &target;
        notifyActiveControl();
        return true;
    }
    Control* left = focused_;
    active_ = &target;
    if (left && left != &target) runExit(left);
    settleFocus(left, byMouse ? &target : nullptr);
    return true;
}

void Form::runExit(Control* left) {
    if (!left->onExit) return;
    ++exitDepth_;
    try {
        left->onExit(*left);
    } catch (...) {
        // A failed exit keeps the clerk in the field.
        --exitDepth_;
        active_ = left;
        notifyActiveControl();
        throw;
    }
    --exitDepth_;
}

void Form::settleFocus(Control* left, Control* mouseTarget) {
    Control* now = active_;
    focused_ = now;
    if (now != left) {
        // Keyboard and code select the whole text; a click leaves the caret at the end.
        if (auto* e = dynamic_cast<Edit*>(now)) {
            if (now == mouseTarget) {
                e->setSelection(static_cast<int>(e->text().size()), 0);
            } else {
                e->selectAll();
            }
        } else if (auto* cb = dynamic_cast<ComboBox*>(now)) {
            cb->setTextSelected(now != mouseTarget);
        }
        runEnter(now);
    }
    notifyActiveControl();
}

void Form::runEnter(Control* c) {
    if (c && c->onEnter) c->onEnter(*c);
}

void Form::notifyActiveControl() {
    if (observer_) observer_->activeControlChanged(*this);
}

Control* Form::findNextControl(Control* from, bool forward) const {
    std::vector<Control*> list;
    collectTabOrder(topLevel_, list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    auto at = std::find(list.begin(), list.end(), from);
    int start = at == list.end() ? (forward ? count - 1 : 0) : static_cast<int>(at - list.begin());
    int i = start;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        Control* c = list[i];
        if (c->tabStop() && c->canFocus()) return c;
    } while (i != start);
    return nullptr;
}

void Form::selectNext(bool forward) {
    if (Control* next = findNextControl(active_, forward)) setFocus(*next);
}

// --- user input ------------------------------------------------------------------------

Control* Form::keyTarget() const { return (active_ && active_->canFocus()) ? active_ : nullptr; }

int Form::userKeyDown(int key, ShiftState shift) {
    int left = 0;
    app().event([&] {
        int k = key;
        if (keyPreview_ && onKeyDown) {
            onKeyDown(*this, k, shift);
            if (k == 0) return;
        }
        if (Control* c = keyTarget(); c && c->onKeyDown) {
            c->onKeyDown(*c, k, shift);
            if (k == 0) return;
        }
        left = defaultKeyDown(k, shift) ? 0 : k;
    });
    return left;
}

bool Form::defaultKeyDown(int key, ShiftState shift) {
    Control* c = keyTarget();
    if (key == vk::F4 && (shift & ssAlt)) {
        close();
        return true;
    }
    if (isAcceleratorKey(key, shift)) return clickAccelerator(QChar(key));
    if (c && c->kind() == ControlKind::DBGrid && static_cast<DBGrid*>(c)->handleKey(key, shift)) return true;
    if (key == vk::Tab && !(shift & ssAlt)) {
        selectNext(!(shift & ssShift));
        return true;
    }
    if (key == vk::Return && shift == ssNone && c && c->kind() == ControlKind::Button) {
        if (c->onClick) c->onClick(*c);
        return true;
    }
    if (key == vk::Space && shift == ssNone && c && c->kind() == ControlKind::Button) {
        spacePressed_ = c;  // clicked when the key comes up: once, however long it is held
        return true;
    }
    return false;
}

bool Form::isAcceleratorKey(int key, ShiftState shift) {
    const bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    return letterOrDigit && (shift & ssAlt) && !(shift & ssCtrl);
}

bool Form::clickAccelerator(QChar letter) {
    for (const auto& owned : owned_) {
        auto* b = dynamic_cast<Button*>(owned.get());
        if (!b || b->accelerator() != letter || !b->effectivelyEnabled() || !b->effectivelyVisible()) continue;
        if (b->onClick) b->onClick(*b);
        return true;
    }
    return false;
}

QChar Form::userKeyPress(QChar ch) {
    QChar left;
    app().event([&] {
        QChar k = ch;
        if (Control* c = keyTarget(); c && c->onKeyPress) c->onKeyPress(*c, k);
        left = k;
    });
    return left;
}

void Form::userKeyUp(int key, ShiftState shift) {
    app().event([&] {
        int k = key;
        if (Control* c = keyTarget(); c && c->onKeyUp) c->onKeyUp(*c, k, shift);
        Control* pressed = key == vk::Space ? std::exchange(spacePressed_, nullptr) : nullptr;
        if (pressed && pressed == keyTarget() && k != 0 && pressed->onClick) pressed->onClick(*pressed);
    });
}

bool Form::focusByMouse(Control& control) {
    focusControl(control, true);
    return active_ == &control;
}

void Form::userFocus(Control& control) {
    app().event([&] {
        if (takesFocusOnClick(control)) focusByMouse(control);
    });
}

void Form::userClick(Control& control) {
    app().event([&] {
        if (!control.effectivelyEnabled() || !control.effectivelyVisible()) return;
        if (takesFocusOnClick(control)) {
            // An exit handler that sent the focus elsewhere cancels the click.
            if (!focusByMouse(control)) return;
            if (control.kind() == ControlKind::DBGrid) return;  // title or empty area
        }
        if (control.onClick) control.onClick(control);
    });
}

void Form::userCellClick(DBGrid& grid, int row) {
    app().event([&] {
        if (!takesFocusOnClick(grid) || !focusByMouse(grid)) return;
        if (row < 0 || row >= grid.rowCount()) return;  // the rows changed under the pointer
        grid.setCurrentRow(row);
        if (grid.onClick) grid.onClick(grid);
    });
}

void Form::userDblClick(Control& control) {
    app().event([&] {
        if (!control.effectivelyEnabled() || !control.effectivelyVisible()) return;
        if (control.onDblClick) control.onDblClick(control);
    });
}

void Form::userActivate() {
    app().event([&] {
        if (!visible_) return;
        app().setActiveForm(this);
        notifyActiveControl();
    });
}

void Form::userClose() {
    app().event([&] { close(); });
}

}  // namespace tk
