#include "platform/instance_lock.h"

#include <cerrno>

#include "platform/error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace tolvane {

#ifdef _WIN32
InstanceLock::InstanceLock(const fs::path& file) {
    // Opened with no sharing: nobody else opens it until this handle closes with the process.
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        handle_ = handle;
        state_ = State::Acquired;
        return;
    }
    DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
        state_ = State::HeldElsewhere;
        return;
    }
    failure_ = Describe("Could not open", file,
                        std::error_code(static_cast<int>(error), std::system_category()));
}

InstanceLock::~InstanceLock() {
    if (handle_ != nullptr)
        CloseHandle(handle_);
}
#else
InstanceLock::InstanceLock(const fs::path& file) {
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        failure_ = Describe("Could not open", file, LastError());
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Acquired;
        return;
    }
    if (errno == EWOULDBLOCK) {
        state_ = State::HeldElsewhere;
        return;
    }
    failure_ = Describe("Could not lock", file, LastError());
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_);
}
#endif

}  // namespace tolvane
