#include "platform/Window.h"

#include "platform/RuntimeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <signal.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr int kAnswerTimeoutMs = 3000;
constexpr int kTitleKeyLength = 40;  // keeps the socket path inside the 107 bytes allowed

// A window is known by when and by which process it was created; its socket file name is
// "vqwin-<uid>-<stamp>-<pid>-<title key>", so a search by title needs no request.
struct WindowId {
    quint64 stamp = 0;
    qint64 pid = 0;
    bool operator==(const WindowId& o) const { return stamp == o.stamp && pid == o.pid; }
};

struct SocketFile {
    WindowId id;
    QString titleKey;
    QString path;
};

QString socketPrefix() { return QStringLiteral("vqwin-%1-").arg(::geteuid()); }

QString socketFileName(const WindowId& id, const QString& title) {
    return socketPrefix() + QStringLiteral("%1-%2-").arg(id.stamp, 16, 16, QLatin1Char('0')).arg(id.pid, 8, 16, QLatin1Char('0')) +
           fileKey(title, kTitleKeyLength);
}

std::optional<SocketFile> parseSocketFile(const QString& folder, const QString& fileName) {
    const QString rest = fileName.mid(socketPrefix().size());
    if (rest.size() < 26 || rest.at(16) != QLatin1Char('-') || rest.at(25) != QLatin1Char('-')) return std::nullopt;
    bool stampOk = false;
    bool pidOk = false;
    const WindowId id{rest.left(16).toULongLong(&stampOk, 16), rest.mid(17, 8).toLongLong(&pidOk, 16)};
    if (!stampOk || !pidOk) return std::nullopt;
    return SocketFile{id, rest.mid(26), folder + QLatin1Char('/') + fileName};
}

std::vector<SocketFile> socketFiles(const QString& folder) {
    std::vector<SocketFile> files;
    const QStringList names =
        QDir(folder).entryList({socketPrefix() + QLatin1Char('*')}, QDir::System | QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (auto file = parseSocketFile(folder, name)) files.push_back(*file);
    }
    return files;
}

// Strictly increasing within the process, so two windows created in one tick keep their order.
quint64 creationStamp() {
    static quint64 last = 0;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const quint64 ns = quint64(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    last = std::max(ns, last + 1);
    return last;
}

qint64 ownPid() { return qint64(::getpid()); }

bool processAlive(qint64 pid) { return ::kill(pid_t(pid), 0) == 0 || errno == EPERM; }

// A connect succeeds while the owner listens, even when it is busy: the backlog takes it.
bool answers(const QString& path) {
    QLocalSocket socket;
    socket.connectToServer(path);
    const bool connected = socket.waitForConnected(kAnswerTimeoutMs);
    socket.abort();
    return connected;
}

std::optional<QByteArray> request(const QString& path, const QByteArray& line) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kAnswerTimeoutMs)) return std::nullopt;
    socket.write(line + '\n');
    if (!socket.waitForBytesWritten(kAnswerTimeoutMs)) return std::nullopt;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kAnswerTimeoutMs)) return std::nullopt;
    }
    QByteArray reply = socket.readLine();
    reply.chop(1);
    socket.disconnectFromServer();
    return reply;
}

// Titles travel percent-encoded, so no title can break the line protocol.
QByteArray encodeTitle(const QString& title) { return title.toUtf8().toPercentEncoding(); }
QString decodeTitle(const QByteArray& text) { return QString::fromUtf8(QByteArray::fromPercentEncoding(text)); }

class LocalWindow {
public:
    LocalWindow(const WindowId& id, const QString& title, WindowCallbacks callbacks)
        : id_(id), title_(title), callbacks_(std::move(callbacks)), server_(std::make_unique<QLocalServer>()) {
        QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] { acceptConnections(); });
    }

    const QString& title() const { return title_; }
    void setCallbacks(WindowCallbacks callbacks) { callbacks_ = std::move(callbacks); }

    bool listen(const QString& title) {
        const QString folder = runtimeFolder();
        if (folder.isEmpty()) return false;
        const QString path = folder + QLatin1Char('/') + socketFileName(id_, title);
        if (!server_->listen(path)) {
            QLocalServer::removeServer(path);  // a leftover of a dead process of the same pid
            if (!server_->listen(path)) return false;
        }
        title_ = title;
        return true;
    }

    bool retitle(const QString& title) {
        const QString old = title_;
        server_->close();  // removes the old socket file
        if (listen(title)) return true;
        listen(old);
        return false;
    }

    bool isMinimized() const { return callbacks_.isMinimized && callbacks_.isMinimized(); }
    void restore() const {
        if (callbacks_.restore) callbacks_.restore();
    }
    void raise() const {
        if (callbacks_.raise) callbacks_.raise();
    }

private:
    void acceptConnections() {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] { serve(socket); });
        }
    }

    void serve(QLocalSocket* socket) {
        while (socket->canReadLine()) {
            QByteArray line = socket->readLine();
            line.chop(1);
            socket->write(answer(line) + '\n');
        }
    }

    QByteArray answer(const QByteArray& line) {
        if (line == "iconic?") return isMinimized() ? "1" : "0";
        if (line == "restore") {
            restore();
            return "ok";
        }
        if (line == "raise") {
            raise();
            return "ok";
        }
        if (line == "title?") return encodeTitle(title_);
        if (line.startsWith("title ")) return retitle(decodeTitle(line.mid(6))) ? "ok" : "failed";
        return "unknown";
    }

    WindowId id_;
    QString title_;
    WindowCallbacks callbacks_;
    std::unique_ptr<QLocalServer> server_;
};

struct Entry {
    WindowId id;
    std::unique_ptr<LocalWindow> local;  // null: a window of another process
};

class Registry {
public:
    WindowHandle add(Entry entry) {
        const WindowHandle handle = next_++;
        entries_.emplace(handle, std::move(entry));
        return handle;
    }

    void remove(WindowHandle handle) { entries_.erase(handle); }

    Entry* find(WindowHandle handle) {
        const auto it = entries_.find(handle);
        return it == entries_.end() ? nullptr : &it->second;
    }

    WindowHandle handleOf(const WindowId& id) const {
        for (const auto& [handle, entry] : entries_) {
            if (entry.id == id) return handle;
        }
        return 0;
    }

    WindowHandle remoteHandle(const WindowId& id) {
        const WindowHandle known = handleOf(id);
        return known ? known : add(Entry{id, nullptr});
    }

    // The sockets go with the application object, not with static destruction.
    void closeLocalWindows() {
        for (auto it = entries_.begin(); it != entries_.end();) {
            it = it->second.local ? entries_.erase(it) : std::next(it);
        }
    }

private:
    std::map<WindowHandle, Entry> entries_;
    WindowHandle next_ = 1;
};

Registry& registry() {
    static Registry r;
    return r;
}

void closeLocalWindowsAtExit() { registry().closeLocalWindows(); }

// The socket file of another process's window, wherever its title has taken it.
std::optional<QString> remotePath(const WindowId& id) {
    const QString folder = runtimeFolder();
    if (folder.isEmpty()) return std::nullopt;
    for (const SocketFile& file : socketFiles(folder)) {
        if (file.id == id) return file.path;
    }
    return std::nullopt;
}

std::optional<QByteArray> remoteRequest(const Entry& entry, const QByteArray& line) {
    const auto path = remotePath(entry.id);
    if (!path) return std::nullopt;
    return request(*path, line);
}

// Whether the window behind a socket file can be taken; removes the file of a dead owner.
bool isLiveWindow(const SocketFile& file) {
    if (file.id.pid == ownPid()) {
        if (registry().handleOf(file.id) != 0) return true;
        QFile::remove(file.path);  // left by an earlier process that had our pid
        return false;
    }
    if (answers(file.path)) return true;
    if (!processAlive(file.id.pid)) QFile::remove(file.path);
    return false;
}

}  // namespace

WindowHandle createWindow(const QString& title, WindowCallbacks callbacks) {
    static bool cleanupInstalled = false;
    if (!cleanupInstalled) {
        qAddPostRoutine(closeLocalWindowsAtExit);
        cleanupInstalled = true;
    }
    const WindowId id{creationStamp(), ownPid()};
    auto window = std::make_unique<LocalWindow>(id, title, std::move(callbacks));
    if (!window->listen(title)) return 0;
    return registry().add(Entry{id, std::move(window)});
}

void setWindowCallbacks(WindowHandle window, WindowCallbacks callbacks) {
    Entry* entry = registry().find(window);
    if (entry && entry->local) entry->local->setCallbacks(std::move(callbacks));
}

void destroyWindow(WindowHandle window) {
    Entry* entry = registry().find(window);
    if (entry && entry->local) registry().remove(window);
}

WindowHandle findWindow(const QString& title) {
    const QString folder = runtimeFolder();
    if (folder.isEmpty()) return 0;
    const QString key = fileKey(title, kTitleKeyLength);
    std::vector<SocketFile> candidates;
    for (const SocketFile& file : socketFiles(folder)) {
        if (file.titleKey == key) candidates.push_back(file);
    }
    // Newest first; on an equal stamp this process's own window wins.
    std::sort(candidates.begin(), candidates.end(), [](const SocketFile& a, const SocketFile& b) {
        if (a.id.stamp != b.id.stamp) return a.id.stamp > b.id.stamp;
        return (a.id.pid == ownPid()) > (b.id.pid == ownPid());
    });
    for (const SocketFile& file : candidates) {
        if (!isLiveWindow(file)) continue;
        return file.id.pid == ownPid() ? registry().handleOf(file.id) : registry().remoteHandle(file.id);
    }
    return 0;
}

bool setWindowText(WindowHandle window, const QString& title) {
    const Entry* entry = registry().find(window);
    if (!entry) return false;
    if (entry->local) return entry->local->retitle(title);
    const auto reply = remoteRequest(*entry, "title " + encodeTitle(title));
    return reply && *reply == "ok";
}

QString getWindowText(WindowHandle window) {
    const Entry* entry = registry().find(window);
    if (!entry) return {};
    if (entry->local) return entry->local->title();
    const auto reply = remoteRequest(*entry, "title?");
    return reply ? decodeTitle(*reply) : QString();
}

bool isIconic(WindowHandle window) {
    const Entry* entry = registry().find(window);
    if (!entry) return false;
    if (entry->local) return entry->local->isMinimized();
    const auto reply = remoteRequest(*entry, "iconic?");
    return reply && *reply == "1";
}

bool showWindow(WindowHandle window, ShowCommand command) {
    const Entry* entry = registry().find(window);
    if (!entry || command != SW_RESTORE) return false;
    if (entry->local) {
        entry->local->restore();
        return true;
    }
    const auto reply = remoteRequest(*entry, "restore");
    return reply && *reply == "ok";
}

bool setForegroundWindow(WindowHandle window) {
    const Entry* entry = registry().find(window);
    if (!entry) return false;
    if (entry->local) {
        entry->local->raise();
        return true;
    }
    const auto reply = remoteRequest(*entry, "raise");
    return reply && *reply == "ok";
}

}  // namespace platform
