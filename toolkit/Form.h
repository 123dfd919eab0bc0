#pragma once
// A form: named controls, an active control, key preview, show/close.
//
// Focus rules (the forms rely on every one of them):
//  - setFocus(target) makes target the active control at once, then runs the exit handler
//    of the control that held the focus, while activeControl() is already target.
//  - A focus request made inside an exit handler only changes the active control: it takes
//    effect at once, the last request holds, and no exit runs for a control that never
//    really held the focus. After the exit handler returns, the enter handler of the final
//    active control runs (unless it is the control that was left).
//  - A request for a disabled or hidden control, or one inside a disabled or hidden
//    container, is ignored.
//  - Switching to another form runs no exit handler; each form keeps its active control.
//
// The user* entry points are where real input enters the model (from the Qt widgetset or
// from the tests' headless Clerk). Each one is an event: an exception that leaves a handler
// during it is caught there and shown by Application's error dialog; the program goes on.

#include "toolkit/Control.h"
#include "toolkit/Types.h"

#include <QString>
#include <map>
#include <memory>
#include <vector>

namespace db {
class Query;
}

namespace tk {

class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void formShown(Form&) = 0;
    virtual void formHidden(Form&) = 0;
    // A close that frees the form, or the form object going (Application::reset): the
    // observer lets go of it and reads nothing of it any more.
    virtual void formFreed(Form&) = 0;
    virtual void activeControlChanged(Form&) = 0;  // where the real focus must go
    virtual void formGeometryChanged(Form&) = 0;   // position, size or caption
};

enum class BorderStyle { Single, Sizeable, Dialog, None };

class Form {
public:
    explicit Form(QString name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const QString& name() const { return name_; }

    // --- controls ---------------------------------------------------------------------
    // Creates a control owned by the form; parent null means the form itself.
    template <class T>
    T& add(const QString& name, Control* parent = nullptr) {
        auto c = std::make_unique<T>(*this, parent, name);
        T& ref = *c;
        adopt(std::move(c));
        return ref;
    }
    Control* findControl(const QString& name) const;  // null when absent
    Control& control(const QString& name) const;      // throws std::out_of_range when absent
    Edit& edit(const QString& name) const;            // throws when absent or of another kind
    ComboBox& comboBox(const QString& name) const;
    Button& button(const QString& name) const;
    Panel& panel(const QString& name) const;
    Label& label(const QString& name) const;
    DBGrid& grid(const QString& name) const;
    const std::vector<Control*>& topLevelControls() const { return topLevel_; }
    std::vector<Control*> allControls() const;  // creation order

    // Queries owned by the form (described with it), by component name.
    db::Query& query(const QString& name) const;  // throws when absent
    db::Query& addQuery(const QString& name, const QString& alias);

    // --- properties -------------------------------------------------------------------
    const QString& caption() const { return caption_; }
    void setCaption(const QString& c);
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    void setClientSize(int w, int h);
    // Outer size: client area plus the frame the widgetset reports (or a classic frame).
    int width() const;
    int height() const;
    int left() const { return left_; }
    int top() const { return top_; }
    void setPosition(int left, int top);
    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle s) { borderStyle_ = s; }
    // Border icons: system menu (close box), minimise, maximise.
    bool systemMenu = true, minimizeBox = true, maximizeBox = true;
    Color color() const { return color_; }
    void setColor(Color c) { color_ = c; }
    const Font& font() const { return font_; }
    void setFont(const Font& f) { font_ = f; }
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }

    // --- handlers ---------------------------------------------------------------------
    FormNotifyEvent onCreate;   // run by Application::createForm
    FormCloseEvent onClose;     // may set the action (Free on the main form)
    FormKeyEvent onKeyDown;     // with key preview: sees every key before the control

    // --- showing and closing ------------------------------------------------------------
    bool visible() const { return visible_; }
    // Makes the form visible and active, returns at once. The first time, the first control
    // in tab order takes the focus; later, the control that had it gets it back.
    void show();
    // Secondary form: hidden, state kept. Main form: ends the run.
    void close();

    // --- focus ------------------------------------------------------------------------
    Control* activeControl() const { return active_; }
    // Runs the rules above. Returns false when the request was ignored.
    bool setFocus(Control& target);
    bool setFocus(const QString& name) { return setFocus(control(name)); }
    // Next (or previous) tab stop after `from` in tab order over nested containers,
    // skipping what cannot take the focus; wraps around. Null when nothing can.
    Control* findNextControl(Control* from, bool forward = true) const;
    // Moves the focus to the next tab stop after the active control.
    void selectNext(bool forward = true);

    // --- user input (one event each) ----------------------------------------------------
    // A key goes down: key preview, the focused control's handler, then the default
    // action (Tab walks the tab order, arrows/page keys move a grid's row, Alt+letter
    // clicks the button with that accelerator, Enter clicks a focused button, Space presses
    // it, Alt+F4 closes). Returns the key left after the handlers (0 when swallowed or when
    // the default action used it), so a widgetset knows whether to let the native widget act.
    int userKeyDown(int key, ShiftState shift);
    // Whether the key is Alt and an accelerator letter (or digit), which clicks a button
    // wherever the focus is.
    static bool isAcceleratorKey(int key, ShiftState shift);
    // A character: the focused control's key-press handler may drop it. Returns the
    // character left (null when dropped). The caller applies it (Clerk: Edit::typeChar).
    QChar userKeyPress(QChar ch);
    // A key comes up at the control focused now. Space coming up clicks the button it
    // pressed, when that button still holds the focus.
    void userKeyUp(int key, ShiftState shift);
    // Mouse press into a control, no click (placing the caret in an edit, a press that is
    // released elsewhere): the focus moves to it (exit handlers run) when it can take the
    // focus by mouse; an edit gets the caret at the end of its text.
    void userFocus(Control& control);
    // Mouse press on a control: the focus moves to it (exit handlers run) when it can
    // take the focus; then, for a button still holding the focus, its click handler.
    // Labels and panels take no focus by mouse and just run their click handler.
    void userClick(Control& control);
    // Release over a data cell of a grid: the focus moves to the grid, the row becomes
    // current, then the cell-click handler runs (the grid's onClick).
    void userCellClick(DBGrid& grid, int row);
    void userDblClick(Control& control);
    // The clerk activates this form (clicks into its window): no exit handler runs.
    void userActivate();
    // Close box, Alt+F4 from the window system.
    void userClose();

    // --- widgetset hooks ----------------------------------------------------------------
    void setObserver(FormObserver* observer) { observer_ = observer; }
    FormObserver* observer() const { return observer_; }

    // Handler binding by name, used when a form description names its handlers. Every form
    // class fills it the same way: bind(name, this, &Class::Handler), or bind(name, event)
    // for a handler made of a lambda.
    struct Handlers {
        std::map<QString, NotifyEvent> notify;
        std::map<QString, KeyEvent> key;
        std::map<QString, KeyPressEvent> keyPress;

        template <class F>
        void bind(const QString& name, F* self, void (F::*handler)(Control&)) {
            notify[name] = [self, handler](Control& sender) { (self->*handler)(sender); };
        }
        template <class F>
        void bind(const QString& name, F* self, void (F::*handler)(Control&, int&, ShiftState)) {
            key[name] = [self, handler](Control& sender, int& k, ShiftState shift) { (self->*handler)(sender, k, shift); };
        }
        template <class F>
        void bind(const QString& name, F* self, void (F::*handler)(Control&, QChar&)) {
            keyPress[name] = [self, handler](Control& sender, QChar& k) { (self->*handler)(sender, k); };
        }
        void bind(const QString& name, NotifyEvent event) { notify[name] = std::move(event); }
        // Adds the other's handlers; one of the same name replaces this one's.
        void add(const Handlers& other) {
            for (const auto& [n, e] : other.notify) notify[n] = e;
            for (const auto& [n, e] : other.key) key[n] = e;
            for (const auto& [n, e] : other.keyPress) keyPress[n] = e;
        }
    };

private:
    friend class Application;
    void adopt(std::unique_ptr<Control> c);
    bool focusControl(Control& target, bool byMouse);
    bool focusByMouse(Control& control);
    void runExit(Control* left);
    void settleFocus(Control* left, Control* mouseTarget);
    void runEnter(Control* c);
    void notifyActiveControl();
    Control* keyTarget() const;
    bool defaultKeyDown(int key, ShiftState shift);
    bool clickAccelerator(QChar letter);
    void hide();
    bool freed_ = false;

    QString name_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> topLevel_;
    std::map<QString, Control*> byName_;
    std::map<QString, std::unique_ptr<db::Query>> queries_;
    QString caption_;
    int clientWidth_ = 0, clientHeight_ = 0, left_ = 0, top_ = 0;
    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    Color color_ = clBtnFace;
    Font font_;
    bool keyPreview_ = false;
    bool visible_ = false;
    bool shownOnce_ = false;
    Control* active_ = nullptr;   // the active control (already the receiver during an exit)
    Control* focused_ = nullptr;  // the control that really holds the focus
    Control* spacePressed_ = nullptr;  // the button Space went down on, until it comes up
    int exitDepth_ = 0;           // >0 while an exit handler runs
    FormObserver* observer_ = nullptr;
};

}  // namespace tk
