#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include "platform/instance_lock.h"

namespace tolvane {

// One Tolvane at a time per user: a lock on a file in the per-user data folder, which the system
// releases when the run that holds it ends, crashed or not. A second start asks the running one,
// through a file beside the lock that the running one watches, to come to the front.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    explicit SingleInstance(const QString& dataFolder);
    const InstanceLock& lock() const { return lock_; }

    // For a second start: asks the Tolvane that holds the lock to show itself.
    void askTheRunningOneToShow();

  signals:
    // A second start asked this one, which holds the lock, to come to the front.
    void showRequested();

  private:
    QString callFile_;
    InstanceLock lock_;
    QFileSystemWatcher watcher_;
};

}  // namespace tolvane
