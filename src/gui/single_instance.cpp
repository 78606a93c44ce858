#include "gui/single_instance.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include "gui/qt_text.h"

namespace tolvane {
namespace {

fs::path LockFileIn(const QString& folder) {
    QDir().mkpath(folder);
    return ToPath(QDir(folder).filePath("Tolvane.lock"));
}

// Writes the moment of the call, so that the file changes whatever it held.
void Touch(const QString& file) {
    QFile call(file);
    if (call.open(QIODevice::WriteOnly | QIODevice::Truncate))
        call.write(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toUtf8());
}

}  // namespace

SingleInstance::SingleInstance(const QString& dataFolder)
    : callFile_(QDir(dataFolder).filePath("Tolvane.show")), lock_(LockFileIn(dataFolder)) {
    if (!lock_.acquired())
        return;
    Touch(callFile_);
    watcher_.addPath(callFile_);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        // A file written anew may leave the watch: it is watched again.
        if (!watcher_.files().contains(callFile_))
            watcher_.addPath(callFile_);
        emit showRequested();
    });
}

void SingleInstance::askTheRunningOneToShow() {
    Touch(callFile_);
}

}  // namespace tolvane
