#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdio>

#include "app/startup.h"
#include "gui/qt_prompts.h"
#include "gui/qt_settings_store.h"
#include "gui/qt_text.h"
#include "gui/single_instance.h"
#include "gui/terminal.h"
#include "gui/window_set.h"
#include "session/session.h"

int main(int argc, char* argv[]) {
    // With arguments, Tolvane runs from the terminal, with no window and no display.
    if (argc > 1)
        return tolvane::RunFromTerminal(argc, argv);
#ifdef Q_OS_LINUX
    // Qt would abort with no display to show the windows on; the command line needs none.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs(
            "There is no display here for Tolvane's windows. Its command line needs none: "
            "see tolvane --help.\n",
            stderr);
        return 2;
    }
#endif
    QApplication application(argc, argv);
    QApplication::setApplicationName(tolvane::kProgramTitle);
    QApplication::setOrganizationName(tolvane::kProgramTitle);

    QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    tolvane::SingleInstance instance(dataFolder);
    switch (instance.lock().state()) {
        case tolvane::InstanceLock::State::Acquired:
            break;
        case tolvane::InstanceLock::State::HeldElsewhere:
            instance.askTheRunningOneToShow();
            QMessageBox::information(nullptr, tolvane::kProgramTitle,
                                     "Tolvane is already running.");
            return 0;
        case tolvane::InstanceLock::State::Failed:
            QMessageBox::critical(nullptr, tolvane::kProgramTitle,
                                  tolvane::ToQString(instance.lock().failure() +
                                                     "\r\rTolvane cannot tell whether it is "
                                                     "running already, so it stops here."));
            return 1;
    }

    // TOLVANE_SETTINGS names an INI file to keep the settings in, apart from the player's own.
    tolvane::QtSettingsStore store(qEnvironmentVariable("TOLVANE_SETTINGS"));
    tolvane::QtPrompts prompts;
    tolvane::Session session(store, prompts, tolvane::ToPath(QApplication::applicationDirPath()),
                             tolvane::ToPath(dataFolder));
    tolvane::WindowSet windows(session);
    QObject::connect(&instance, &tolvane::SingleInstance::showRequested,
                     [&windows] { windows.bringToFront(); });
    tolvane::OpenFirstWindow(session, windows);
    return QApplication::exec();
}
