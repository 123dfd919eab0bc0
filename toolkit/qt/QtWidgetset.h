#pragma once
// The Qt widgetset: a real window per toolkit form, the Qt event loop, and the helpers a
// program and its tests use to start it and to look at its windows.

#include "toolkit/Application.h"

#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace tkqt {

class FormWindow;

class QtWidgetset : public tk::Widgetset {
public:
    QtWidgetset();
    ~QtWidgetset() override;
    QtWidgetset(const QtWidgetset&) = delete;
    QtWidgetset& operator=(const QtWidgetset&) = delete;

    void formCreated(tk::Form& form) override;
    void runLoop() override;
    void quit() override;
    int frameWidth() const override;
    int frameHeight() const override;

private:
    const FormWindow* shownWindow() const;
    std::vector<QPointer<FormWindow>> windows_;
};

// Starts the widgetset on `app` (after Application::initialize, which drops any earlier
// one): real windows for the forms, message boxes and the hourglass pointer. Keep the
// result while the forms run and let it go before the QApplication.
[[nodiscard]] std::unique_ptr<QtWidgetset> install(tk::Application& app);

// The window of a form and the widget of a control; null when the widgetset does not
// render them.
QWidget* windowOf(tk::Form& form);
QWidget* widgetOf(tk::Control& control);

// Saves a picture of the form's window as PNG; false when it cannot.
bool grabForm(tk::Form& form, const QString& pngPath);

}  // namespace tkqt
