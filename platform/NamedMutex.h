#pragma once
// A system-wide named mutex that only marks existence: it exists while any process holds a
// handle of that name, and the system drops a dying process's handle with it.

#include <QString>

namespace platform {

class MutexHandle {
public:
    MutexHandle() = default;  // the 0 handle of a failed creation
    MutexHandle(MutexHandle&& other) noexcept;
    MutexHandle& operator=(MutexHandle&& other) noexcept;
    MutexHandle(const MutexHandle&) = delete;
    MutexHandle& operator=(const MutexHandle&) = delete;
    ~MutexHandle();

    bool isNull() const { return fd_ < 0; }
    // True when a mutex of that name already existed at creation.
    bool alreadyExisted() const { return alreadyExisted_; }

private:
    friend MutexHandle createNamedMutex(const QString& name);
    friend void closeHandle(MutexHandle& handle);
    MutexHandle(int fd, bool alreadyExisted) : fd_(fd), alreadyExisted_(alreadyExisted) {}

    int fd_ = -1;
    bool alreadyExisted_ = false;
};

// Creates (or opens) the mutex. A null handle when the runtime folder cannot be used.
MutexHandle createNamedMutex(const QString& name);

// Closes the handle; a null handle is left as it is.
void closeHandle(MutexHandle& handle);

}  // namespace platform
