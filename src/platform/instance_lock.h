#pragma once

#include "text/filesystem.h"

namespace tolvane {

// A lock on a file that the system releases when the process that holds it ends, however it
// ends: a run that crashed never keeps the next one out, whatever process id the next one gets.
class InstanceLock {
  public:
    explicit InstanceLock(const fs::path& file);
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    // False while another holder, in this process or another, has the same file locked.
    bool acquired() const { return acquired_; }

  private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    bool acquired_ = false;
};

}  // namespace tolvane
