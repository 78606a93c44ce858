#pragma once

#include <QString>

#include "platform/instance_lock.h"

namespace tolvane {

// One Tolvane at a time per user: a lock on a file in the per-user data folder, which the system
// releases when the run that holds it ends, crashed or not.
class SingleInstance {
  public:
    explicit SingleInstance(const QString& dataFolder);
    const InstanceLock& lock() const { return lock_; }

  private:
    InstanceLock lock_;
};

}  // namespace tolvane
