// A second process for the platform tests. It prints one line when it is set up and one
// line for every request it carries out, and ends when its standard input closes.
//   platform_probe lock <name>                    holds the named mutex
//   platform_probe window <title> [minimized]     shows a window under that title
#include "platform/NamedMutex.h"
#include "platform/Window.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

namespace {

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) return 2;

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) app.quit();
    });

    platform::MutexHandle mutex;
    bool minimized = args.size() > 3 && args.at(3) == QLatin1String("minimized");
    if (args.at(1) == QLatin1String("lock")) {
        mutex = platform::createNamedMutex(args.at(2));
        say(mutex.isNull() ? "failed" : mutex.alreadyExisted() ? "existed" : "created");
    } else if (args.at(1) == QLatin1String("window")) {
        platform::WindowCallbacks callbacks;
        callbacks.isMinimized = [&] { return minimized; };
        callbacks.restore = [&] {
            minimized = false;
            say("restored");
        };
        callbacks.raise = [] { say("raised"); };
        say(platform::createWindow(args.at(2), callbacks) ? "ready" : "failed");
    } else {
        return 2;
    }
    return app.exec();
}
