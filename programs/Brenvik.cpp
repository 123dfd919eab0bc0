// Brenvik: transfer vouchers. The program block: the single-instance guard of the voucher
// form's unit, the application window, the forms in their creation order, the message loop.

#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_03.h"
#include "lookup/Qel_Unit3_04.h"
#include "lookup/Qel_Unit3_05.h"
#include "lookup/Qel_Unit3_06.h"
#include "lookup/Qel_Unit3_07.h"
#include "platform/ProgramName.h"
#include "platform/Screen.h"
#include "platform/Window.h"
#include "report/Preview.h"
#include "report/qt/QtPreviewService.h"
#include "toolkit/Application.h"
#include "toolkit/qt/LoginDialog.h"
#include "toolkit/qt/QtWidgetset.h"
#include "voucher/Qel_Unit3.h"
#include "voucher/QrQel_Unit3.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <cstdlib>

namespace {

// The application window's title: the program file's name up to its first ".".
QString applicationTitle() {
    const QString path = platform::programFilePath();
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).section(QLatin1Char('.'), 0, 0);
}

void useScreenMetrics() {
    platform::setScreenMetricsProvider(
        [] {
            const QRect r = QGuiApplication::primaryScreen()->availableGeometry();
            return platform::Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        },
        [] {
            const QSize s = QGuiApplication::primaryScreen()->geometry().size();
            return platform::Size{s.width(), s.height()};
        });
}

// What a later start asks of this instance reaches the main form's window.
QWidget* mainWindow() {
    tk::Form* main = tk::app().mainForm();
    return main ? tkqt::windowOf(*main) : nullptr;
}

platform::WindowCallbacks mainWindowCallbacks() {
    platform::WindowCallbacks callbacks;
    callbacks.isMinimized = [] {
        QWidget* w = mainWindow();
        return w && w->isMinimized();
    };
    callbacks.restore = [] {
        if (QWidget* w = mainWindow()) {
            w->showNormal();
            w->raise();
            w->activateWindow();
        }
    };
    callbacks.raise = [] {
        if (QWidget* w = mainWindow()) {
            w->raise();
            w->activateWindow();
        }
    };
    return callbacks;
}

int RunBrenvik(int argc, char** argv) {
    QApplication application(argc, argv);
    tk::app().initialize(applicationTitle());
    std::unique_ptr<tkqt::QtWidgetset> widgetset = tkqt::install(tk::app());
    report::setPreviewService(std::make_unique<rptqt::QtPreviewService>());
    useScreenMetrics();
    tkqt::installLoginDialog();
    // A first instance logs in before its forms exist, so a cancelled login ends the program
    // with its message; a later start hands over without touching the database.
    if (!AppAlreadyRunning && !tkqt::connectAtStart(QStringLiteral("Account"))) {
        widgetset.reset();
        tk::app().reset();
        return 0;
    }
    const platform::WindowHandle applicationWindow =
        platform::createWindow(tk::app().title(), mainWindowCallbacks());

    fmBrenvik = &tk::app().createForm<TfmBrenvik>();
    tk::app().createForm<TForm1>();
    tk::app().createForm<TForm7>();
    tk::app().createForm<TForm2>();
    tk::app().createForm<TForm3>();
    tk::app().createForm<TForm4>();
    tk::app().createForm<TForm5>();
    tk::app().createForm<TForm6>();
    fmQrBrenvik = &tk::app().createForm<TfmQrBrenvik>();
    tk::app().run();

    platform::destroyWindow(applicationWindow);
    widgetset.reset();  // the windows go before their forms
    tk::app().reset();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    InitSingleInstanceMutex();
    std::atexit(DoneSingleInstanceMutex);
    return RunBrenvik(argc, argv);
}
