#pragma once
// Ends a wait on a socket that takes too long: a thread of its own shuts the socket down when
// its deadline passes, so a driver blocked reading from it returns at once with an error. It
// holds where a server's own timeouts cannot: a server process that is stopped answers no
// cancel request and runs no timer of its own, yet its kernel keeps the connection alive.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>

namespace db::detail {

class SocketWatchdog {
public:
    using Clock = std::chrono::steady_clock;

    // The one watchdog of the process; its thread starts with the first watch.
    static SocketWatchdog& instance();

    // Watches `socket` until disarm(); returns the watch's number.
    std::uint64_t arm(int socket, Clock::time_point deadline);
    // Ends a watch; the socket is never touched after it returns.
    void disarm(std::uint64_t watch);
    // True when the deadline of the watch passed and its socket was shut down.
    bool fired(std::uint64_t watch) const;

private:
    SocketWatchdog() = default;
    void watch();

    struct Entry {
        int socket;
        Clock::time_point deadline;
        bool fired = false;
    };
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::uint64_t, Entry> entries_;
    std::uint64_t next_ = 0;
    bool started_ = false;
};

}  // namespace db::detail
