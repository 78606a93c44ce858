#include "windows/single_instance.h"

#include <QDir>

namespace tolvane {
namespace {

QString LockFileIn(const QString& folder) {
    QDir().mkpath(folder);
    return QDir(folder).filePath("Tolvane.lock");
}

}  // namespace

SingleInstance::SingleInstance(const QString& dataFolder) : lock_(LockFileIn(dataFolder)) {
    lock_.setStaleLockTime(0);  // never stale by age: only a lock whose process is gone
    acquired_ = lock_.tryLock(0);
}

}  // namespace tolvane
