#include "app/startup.h"

#include "launch/open_cycle.h"

namespace tolvane {

void OpenFirstWindow(Session& session, StartupWindows& windows) {
    session.settings.optionsNeeded = false;
    session.loadSettings();
    if (!session.settings.optionsNeeded)
        EnterShipSetFolder(session.settings);
    if (LaunchCycleOpen(session.settings, session.store)) {
        session.prompts.message(
            "Tolvane was shut down before it could restore the backup files of the last launched "
            "shipset.  You can restore those backup files now if you wish.",
            "Uh-oh", Icon::Exclamation);
        windows.loadMainWindow().enter(WindowState::RestoreMode);
        windows.showMainWindow();
    } else if (session.settings.optionsNeeded) {
        windows.showOptionsDialog();
    } else {
        RemoveEndedCycleLeftovers(session.settings, session.folders);
        windows.showMainWindow();
    }
}

}  // namespace tolvane
