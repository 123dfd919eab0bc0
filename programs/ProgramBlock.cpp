#include "programs/ProgramBlock.h"

#include "db/Database.h"
#include "db/qt/LoginDialog.h"
#include "platform/ProgramName.h"
#include "platform/Screen.h"
#include "platform/Window.h"
#include "report/Preview.h"
#include "report/qt/QtPreviewService.h"
#include "toolkit/Application.h"
#include "toolkit/Services.h"
#include "toolkit/qt/Fonts.h"
#include "toolkit/qt/QtWidgetset.h"
#include "voucher/Qel_Unit3.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

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

// What a later start asks of this instance reaches the main form's window, or the login
// prompt while there is none yet.
QWidget* mainWindow() {
    tk::Form* main = tk::app().mainForm();
    return main ? tkqt::windowOf(*main) : QApplication::activeModalWidget();
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

}  // namespace

bool connectAtStart(const QString& alias) {
    try {
        db::Database::alias(alias);
    } catch (const db::LoginCancelled&) {
        tk::showError(dbqt::loginCancelledMessage());
        return false;
    } catch (const db::AliasError& e) {
        tk::showError(e.message());
        return false;
    } catch (const db::Error&) {
        // A server out of reach: the forms' error dialogs show why, and the program keeps
        // running for the clerk's next try.
    }
    return true;
}

bool startForms(const std::function<void()>& createForms) {
    db::Action startUp;
    // A first instance logs in before its forms exist, so a cancelled login ends the program
    // with its message; a later start hands over without touching the database.
    if (!AppAlreadyRunning && !connectAtStart(QStringLiteral("Account"))) return false;
    createForms();
    return true;
}

int runProgram(int argc, char** argv, const std::function<void()>& createForms) {
    QApplication application(argc, argv);
    tkqt::installFontSubstitutes();
    tk::app().initialize(applicationTitle());
    std::unique_ptr<tkqt::QtWidgetset> widgetset = tkqt::install(tk::app());
    report::setPreviewService(std::make_unique<rptqt::QtPreviewService>());
    useScreenMetrics();
    dbqt::installLoginDialog();
    db::Database::setNotice(&tk::showWarning);
    // The application window exists before the login, so a start during the login prompt
    // finds this instance and raises the prompt.
    const platform::WindowHandle applicationWindow =
        platform::createWindow(tk::app().title(), mainWindowCallbacks());
    if (!startForms(createForms)) {
        platform::destroyWindow(applicationWindow);
        widgetset.reset();
        tk::app().reset();
        return 0;
    }
    tk::app().run();

    platform::destroyWindow(applicationWindow);
    widgetset.reset();  // the windows go before their forms
    tk::app().reset();
    return 0;
}

