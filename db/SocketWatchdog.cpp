#include "db/SocketWatchdog.h"

#include <sys/socket.h>

#include <thread>

namespace db::detail {

// Never destroyed: a connection may end its last statement while the process exits.
SocketWatchdog& SocketWatchdog::instance() {
    static SocketWatchdog* watchdog = new SocketWatchdog;
    return *watchdog;
}

std::uint64_t SocketWatchdog::arm(int socket, Clock::time_point deadline) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_) {
        std::thread([this] { watch(); }).detach();
        started_ = true;
    }
    const std::uint64_t id = ++next_;
    entries_.emplace(id, Entry{socket, deadline});
    changed_.notify_all();
    return id;
}

void SocketWatchdog::disarm(std::uint64_t watch) {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.erase(watch);
}

bool SocketWatchdog::fired(std::uint64_t watch) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = entries_.find(watch);
    return found != entries_.end() && found->second.fired;
}

void SocketWatchdog::watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        Clock::time_point next = Clock::time_point::max();
        const Clock::time_point now = Clock::now();
        for (auto& [id, entry] : entries_) {
            if (entry.fired) continue;
            if (entry.deadline <= now) {
                // Shut down, not closed: the descriptor stays the driver's until it lets it go.
                ::shutdown(entry.socket, SHUT_RDWR);
                entry.fired = true;
            } else if (entry.deadline < next) {
                next = entry.deadline;
            }
        }
        if (next == Clock::time_point::max())
            changed_.wait(lock);
        else
            changed_.wait_until(lock, next);
    }
}

}  // namespace db::detail
