#include "platform/NamedMutex.h"

#include "platform/RuntimeFolder.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace platform {

// Every handle holds a shared flock on the lock file. Whether the mutex existed is whether
// an exclusive lock would have been refused; the guard file makes that test and the taking
// of the shared lock one step, so two processes starting together cannot both see "new".

namespace {

int openLockFile(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

int lockRetrying(int fd, int operation) {
    int rc;
    do {
        rc = ::flock(fd, operation);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

// Takes the shared lock; tells whether somebody else held one. False result: no lock taken.
bool takeSharedLock(int fd, bool& existed) {
    if (lockRetrying(fd, LOCK_EX | LOCK_NB) == 0) {
        existed = false;
    } else if (errno == EWOULDBLOCK) {
        existed = true;
    } else {
        return false;
    }
    return lockRetrying(fd, LOCK_SH | LOCK_NB) == 0;
}

}  // namespace

MutexHandle::MutexHandle(MutexHandle&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), alreadyExisted_(std::exchange(other.alreadyExisted_, false)) {}

MutexHandle& MutexHandle::operator=(MutexHandle&& other) noexcept {
    if (this != &other) {
        closeHandle(*this);
        fd_ = std::exchange(other.fd_, -1);
        alreadyExisted_ = std::exchange(other.alreadyExisted_, false);
    }
    return *this;
}

MutexHandle::~MutexHandle() { closeHandle(*this); }

MutexHandle createNamedMutex(const QString& name) {
    const QString folder = runtimeFolder();
    if (folder.isEmpty()) return {};
    const QString base = folder + QStringLiteral("/vqmutex-") + fileKey(name, 160);

    const int guard = openLockFile(base + QStringLiteral(".guard"));
    if (guard < 0) return {};
    if (lockRetrying(guard, LOCK_EX) != 0) {
        ::close(guard);
        return {};
    }
    const int fd = openLockFile(base + QStringLiteral(".lock"));
    bool existed = false;
    const bool locked = fd >= 0 && takeSharedLock(fd, existed);
    ::close(guard);  // releases the guard
    if (!locked) {
        if (fd >= 0) ::close(fd);
        return {};
    }
    return MutexHandle(fd, existed);
}

void closeHandle(MutexHandle& handle) {
    if (handle.fd_ >= 0) ::close(handle.fd_);
    handle.fd_ = -1;
    handle.alreadyExisted_ = false;
}

}  // namespace platform
