#pragma once

#include <filesystem>
#include <string>

#include "app/main_window_view.h"
#include "app/session.h"
#include "launch/install.h"

namespace tolvane {

// "Click here when done playing": puts the game folder back as it was before the launch, asking
// about each pilot file, then closes the cycle and returns the main window to its ordinary state.
// When a file cannot be put back the player is told which, its backup stays, and the window
// goes to restore mode so that a later press tries again.
void RestoreAfterPlay(Session& session, MainWindowView& window, const LaunchRecord& record);

// "Click here to restore files": the same for a cycle that an earlier run left open, from the
// launch journal when there is one, otherwise from the package and the backup folder.
void RestoreLastShipSet(Session& session, MainWindowView& window, const std::string& packagePath);

}  // namespace tolvane
