#include "app/startup.h"

#include "launch/open_cycle.h"

namespace tolvane {

void OpenFirstWindow(Session& session, StartupWindows& windows) {
    session.settings.optionsNeeded = false;
    session.loadSettings();
    if (!session.settings.optionsNeeded)
        EnterShipSetFolder(session.settings);
    if (LaunchCycleOpen(session.settings, session.store)) {
        windows.loadMainWindow().offerRestore();
        windows.showMainWindow();
    } else if (session.settings.optionsNeeded) {
        windows.showOptionsDialog();
    } else {
        RemoveEndedCycleLeftovers(session.settings, session.folders, session.prompts);
        windows.showMainWindow();
    }
}

}  // namespace tolvane
