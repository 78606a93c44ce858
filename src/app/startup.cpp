#include "app/startup.h"

namespace tolvane {

void OpenFirstWindow(Session& session, StartupWindows& windows) {
    session.settings.optionsNeeded = false;
    session.loadSettings();
    if (session.cycleOpen()) {
        session.prompts.message(
            "Tolvane was shut down before it could restore the backup files of the last launched "
            "shipset.  You can restore those backup files now if you wish.",
            "Uh-oh", Icon::Exclamation);
        EnterState(windows.loadMainWindow(), WindowState::RestoreMode);
        windows.showMainWindow();
    } else if (session.settings.optionsNeeded) {
        windows.showOptionsDialog();
    } else {
        windows.showMainWindow();
    }
}

}  // namespace tolvane
