#pragma once

#include "app/main_window_logic.h"
#include "session/session.h"

namespace tolvane {

// The windows as start-up sees them.
class StartupWindows {
  public:
    virtual ~StartupWindows() = default;
    // Creates the main window on first use, running its load step, without showing it.
    virtual MainWindowLogic& loadMainWindow() = 0;
    virtual void showMainWindow() = 0;
    virtual void showOptionsDialog() = 0;
};

// Chooses the first window: the restore of the last ship set when its launch was never restored,
// else the options dialog when the options must be set up, else the main window.
void OpenFirstWindow(Session& session, StartupWindows& windows);

}  // namespace tolvane
