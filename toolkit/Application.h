#pragma once
// The application object: title, forms in creation order (the first is the main form),
// the message and cursor services, the event guard that turns an escaped exception into
// the error dialog, and the run loop that a widgetset provides.

#include "toolkit/Form.h"
#include "toolkit/Services.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace tk {

// What a widgetset gives the application: a real message loop and a window per form.
class Widgetset {
public:
    virtual ~Widgetset() = default;
    virtual void formCreated(Form& form) = 0;  // build the window (hidden)
    virtual void runLoop() = 0;                // returns when quit() is called
    virtual void quit() = 0;
    // Frame around the client area (border and title bar), for a form's outer size.
    virtual int frameWidth() const = 0;
    virtual int frameHeight() const = 0;
};

class Application {
public:
    static Application& instance();

    // Starts afresh (reset()), sets the title and installs headless services (recording
    // messages, no cursor). A widgetset and its services are installed after it.
    void initialize(const QString& title);
    const QString& title() const { return title_; }

    // Creates a form, runs its creation handler (as an event: an exception is shown and
    // creation goes on) and keeps it for the whole run. The first form is the main form.
    template <class T, class... Args>
    T& createForm(Args&&... args) {
        auto f = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *f;
        registerForm(std::move(f));
        return ref;
    }
    Form* mainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }
    const std::vector<std::unique_ptr<Form>>& forms() const { return forms_; }

    Form* activeForm() const { return activeForm_; }
    void setActiveForm(Form* f);

    // Shows the main form (unless it is visible already), then runs the widgetset's loop
    // until the main form is closed. Headless: returns once the main form is shown.
    void run();
    // Ends the run (closing the main form calls it).
    void terminate();
    bool terminated() const { return terminated_; }

    MessageService& messages() { return *messages_; }
    void setMessageService(std::unique_ptr<MessageService> m) { messages_ = std::move(m); }
    CursorService& cursor() { return *cursor_; }
    void setCursorService(std::unique_ptr<CursorService> c) { cursor_ = std::move(c); }
    Widgetset* widgetset() const { return widgetset_; }
    void setWidgetset(Widgetset* w) { widgetset_ = w; }

    // Runs fn as one event: an exception leaving it is shown as the error dialog and ends
    // the event only. Nested calls (a handler causing another handler) let it propagate to
    // the outermost event, as the framework does.
    void event(const std::function<void()>& fn);
    bool inEvent() const { return eventDepth_ > 0; }

    // Drops every form and service (tests start afresh).
    void reset();

private:
    Application();
    void registerForm(std::unique_ptr<Form> f);

    QString title_;
    std::vector<std::unique_ptr<Form>> forms_;
    Form* activeForm_ = nullptr;
    std::unique_ptr<MessageService> messages_;
    std::unique_ptr<CursorService> cursor_;
    Widgetset* widgetset_ = nullptr;
    bool terminated_ = false;
    int eventDepth_ = 0;
};

inline Application& app() { return Application::instance(); }

}  // namespace tk
