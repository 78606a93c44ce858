#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QMessageBox>
#include <QStandardPaths>

#include "app/session.h"
#include "app/startup.h"
#include "windows/qt_prompts.h"
#include "windows/qt_settings_store.h"
#include "windows/window_set.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tolvane");
    QApplication::setOrganizationName("Tolvane");

    QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(dataFolder);
    // A lock left by a crashed run names a process that is gone, and QLockFile takes it over.
    QLockFile instanceLock(QDir(dataFolder).filePath("Tolvane.lock"));
    instanceLock.setStaleLockTime(0);
    if (!instanceLock.tryLock(0)) {
        QMessageBox::information(nullptr, "Tolvane", "Tolvane is already running.");
        return 0;
    }

    tolvane::QtSettingsStore store;
    tolvane::QtPrompts prompts;
    tolvane::Session session(store, prompts, QApplication::applicationDirPath().toStdString(),
                             dataFolder.toStdString());
    tolvane::WindowSet windows(session);
    tolvane::Main(session, windows);
    return QApplication::exec();
}
