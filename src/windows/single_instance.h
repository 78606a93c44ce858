#pragma once

#include <QLockFile>
#include <QString>

namespace tolvane {

// One Tolvane at a time per user: a lock file in the per-user data folder. A lock left behind
// by a run that crashed names a process that is gone, and is taken over.
class SingleInstance {
  public:
    explicit SingleInstance(const QString& dataFolder);
    bool acquired() const { return acquired_; }

  private:
    QLockFile lock_;
    bool acquired_;
};

}  // namespace tolvane
