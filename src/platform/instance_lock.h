#pragma once

#include <string>

#include "text/fs_alias.h"

namespace tolvane {

// A lock on a file that the system releases when the process that holds it ends, however it
// ends: a run that crashed never keeps the next one out, whatever process id the next one gets.
class InstanceLock {
  public:
    explicit InstanceLock(const fs::path& file);
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    enum class State {
        Acquired,
        HeldElsewhere,  // another holder, in this process or another, has the file locked
        Failed,         // the file could not be opened or locked: failure() says why
    };
    State state() const { return state_; }
    bool acquired() const { return state_ == State::Acquired; }
    const std::string& failure() const { return failure_; }

  private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    State state_ = State::Failed;
    std::string failure_;
};

}  // namespace tolvane
