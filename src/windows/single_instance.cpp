#include "windows/single_instance.h"

#include <QDir>

#include "windows/qt_text.h"

namespace tolvane {
namespace {

fs::path LockFileIn(const QString& folder) {
    QDir().mkpath(folder);
    return ToPath(QDir(folder).filePath("Tolvane.lock"));
}

}  // namespace

SingleInstance::SingleInstance(const QString& dataFolder) : lock_(LockFileIn(dataFolder)) {}

}  // namespace tolvane
