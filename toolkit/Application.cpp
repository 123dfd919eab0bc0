#include "toolkit/Application.h"

#include "db/Database.h"

#include <exception>

namespace tk {

namespace {
// Counts the events in progress; an exception that unwinds one still lowers the count.
class EventDepth {
public:
    explicit EventDepth(int& depth) : depth_(depth) { ++depth_; }
    ~EventDepth() { --depth_; }
    EventDepth(const EventDepth&) = delete;
    EventDepth& operator=(const EventDepth&) = delete;
private:
    int& depth_;
};
}  // namespace

Application& Application::instance() {
    static Application application;
    return application;
}

Application::Application() {
    messages_ = std::make_unique<RecordingMessageService>();
    cursor_ = std::make_unique<NullCursorService>();
}

void Application::initialize(const QString& title) {
    reset();
    title_ = title;
}

void Application::reset() {
    activeForm_ = nullptr;
    // Later forms may refer to earlier ones; drop them newest first.
    while (!forms_.empty()) forms_.pop_back();
    messages_ = std::make_unique<RecordingMessageService>();
    cursor_ = std::make_unique<NullCursorService>();
    widgetset_ = nullptr;
    title_.clear();
    terminated_ = false;
    eventDepth_ = 0;
}

void Application::registerForm(std::unique_ptr<Form> f) {
    Form& form = *f;
    forms_.push_back(std::move(f));
    if (widgetset_) widgetset_->formCreated(form);
    event([&form] {
        if (form.onCreate) form.onCreate(form);
    });
}

void Application::setActiveForm(Form* f) { activeForm_ = f; }

void Application::run() {
    if (terminated_) return;
    if (Form* main = mainForm(); main && !main->visible()) {
        event([main] { main->show(); });
    }
    if (widgetset_ && !terminated_) widgetset_->runLoop();
}

void Application::terminate() {
    terminated_ = true;
    if (widgetset_) widgetset_->quit();
}

void Application::event(const std::function<void()>& fn) {
    if (eventDepth_ > 0) {
        EventDepth nested(eventDepth_);
        fn();
        return;
    }
    try {
        EventDepth outermost(eventDepth_);
        // One action of the clerk for the database: a broken connection is opened again once.
        db::Action action;
        fn();
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QStringLiteral("Unknown error"));
    }
}

}  // namespace tk
