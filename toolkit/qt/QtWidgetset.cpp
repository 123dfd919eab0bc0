#include "toolkit/qt/QtWidgetset.h"

#include "toolkit/qt/FormWindow.h"
#include "toolkit/qt/QtServices.h"

#include <QApplication>
#include <QPixmap>
#include <algorithm>

namespace tkqt {

namespace {
// The classic fixed frame (3-pixel border, 19-pixel title bar) until a window shows its own.
constexpr int defaultFrameWidth = 2 * 3;
constexpr int defaultFrameHeight = 19 + 2 * 3;

FormWindow* formWindow(tk::Form& form) { return dynamic_cast<FormWindow*>(form.observer()); }
}  // namespace

QtWidgetset::QtWidgetset() {
    // Only closing the main form ends the run, never the last window going out of sight.
    QApplication::setQuitOnLastWindowClosed(false);
}

QtWidgetset::~QtWidgetset() {
    if (tk::app().widgetset() == this) tk::app().setWidgetset(nullptr);
    for (const QPointer<FormWindow>& w : windows_) delete w.data();
}

void QtWidgetset::formCreated(tk::Form& form) {
    if (formWindow(form)) return;
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [](const auto& w) { return w.isNull(); }),
                   windows_.end());
    windows_.emplace_back(new FormWindow(form));
}

void QtWidgetset::runLoop() { QApplication::exec(); }

void QtWidgetset::quit() { QApplication::quit(); }

const FormWindow* QtWidgetset::shownWindow() const {
    for (const QPointer<FormWindow>& w : windows_) {
        if (w && w->isVisible()) return w.data();
    }
    return nullptr;
}

int QtWidgetset::frameWidth() const {
    const FormWindow* w = shownWindow();
    return w ? w->frameGeometry().width() - w->width() : defaultFrameWidth;
}

int QtWidgetset::frameHeight() const {
    const FormWindow* w = shownWindow();
    return w ? w->frameGeometry().height() - w->height() : defaultFrameHeight;
}

std::unique_ptr<QtWidgetset> install(tk::Application& app) {
    auto widgetset = std::make_unique<QtWidgetset>();
    app.setWidgetset(widgetset.get());
    app.setMessageService(std::make_unique<QtMessageService>());
    app.setCursorService(std::make_unique<QtCursorService>());
    for (const auto& form : app.forms()) widgetset->formCreated(*form);
    return widgetset;
}

QWidget* windowOf(tk::Form& form) { return formWindow(form); }

QWidget* widgetOf(tk::Control& control) {
    FormWindow* w = formWindow(control.form());
    return w ? w->widgetFor(control) : nullptr;
}

bool grabForm(tk::Form& form, const QString& pngPath) {
    FormWindow* w = formWindow(form);
    if (!w) return false;
    w->buildControls();
    return w->grab().save(pngPath, "PNG");
}

}  // namespace tkqt
