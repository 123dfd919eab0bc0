// Start-up of the built Brenvik program to its first idle window, on the generated voucher
// tables (SQLite at 10^4, 10^5 and 10^6 rows; PostgreSQL too when VQ_TEST_PG names a server),
// with the program's resident memory at that moment. "Idle" is the first answer of the
// application window to a request from another process: the program answers from its
// message loop, which starts once the forms are created and the voucher form is shown.
//
// Targets at 10^5 rows on SQLite: under 300 ms, under 100 MB resident.
// The platform is offscreen unless QT_QPA_PLATFORM says otherwise (for example xcb under Xvfb).
#include "Targets.h"
#include "VoucherData.h"
#include "platform/Window.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <stdexcept>

namespace {

using bench::Engine;

// VmRSS of a process in megabytes.
double residentMB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

struct Start {
    double seconds;
    double rssMB;
};

// One start in a home of its own; the process is killed once it answered.
Start startOnce(const QString& aliasSection) {
    QTemporaryDir home;
    const QString config = home.filePath(QStringLiteral(".config"));
    const QString runtime = home.filePath(QStringLiteral("run"));
    QDir().mkpath(config + QStringLiteral("/dbengine"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile ini(config + QStringLiteral("/dbengine/aliases.ini"));
    if (!ini.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the alias file");
    ini.write(aliasSection.toUtf8());
    ini.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral(".local/share")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM"))) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // This process looks for the program's window in the same folder.
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());

    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer clock;
    clock.start();
    program.start(QStringLiteral(BRENVIK_PROGRAM), {});
    if (!program.waitForStarted()) throw std::runtime_error("Brenvik did not start");
    Start result{0, 0};
    while (program.state() == QProcess::Running && clock.elapsed() < 60000) {
        const platform::WindowHandle window = platform::findWindow(QStringLiteral("Brenvik"));
        if (window != 0 && !platform::getWindowText(window).isEmpty()) {
            result.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            result.rssMB = residentMB(program.processId());
            break;
        }
        QThread::usleep(500);
    }
    program.kill();
    program.waitForFinished();
    if (result.seconds == 0) throw std::runtime_error("Brenvik did not come up");
    return result;
}

void startUp(benchmark::State& state, Engine engine, int rows) {
    const QString section = bench::aliasSection(engine, rows);
    double rss = 0;
    for (auto _ : state) {
        const Start s = startOnce(section);
        state.SetIterationTime(s.seconds);
        rss = std::max(rss, s.rssMB);
    }
    state.counters["rss_MB"] = rss;
    if (engine == Engine::SQLite && rows == 100000) {
        state.counters["target_ms"] = 300;
        state.counters["target_rss_MB"] = 100;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::vector<Engine> engines{Engine::SQLite};
    if (bench::hasPostgres()) engines.push_back(Engine::PostgreSQL);
    for (const Engine engine : engines) {
        for (const int rows : {10000, 100000, 1000000}) {
            const std::string name = std::string("StartUp/") + bench::engineName(engine) + "/" + std::to_string(rows);
            benchmark::RegisterBenchmark(name.c_str(), [engine, rows](benchmark::State& s) { startUp(s, engine, rows); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->MinWarmUpTime(0.5);
        }
    }
    bench::TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
