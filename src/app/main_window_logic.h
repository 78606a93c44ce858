#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "launch/install.h"
#include "text/filesystem.h"
#include "session/session.h"

namespace tolvane {

// The main window's handlers. The launch button drives the whole cycle: its caption and
// ReadyToLaunch say whether the next press launches, restores after play, or recovers a cycle
// that an earlier run left open.
class MainWindowLogic {
  public:
    MainWindowLogic(Session& session, MainWindowView& window)
        : session_(session), window_(window) {}

    void load();
    void listClicked();
    void launchClicked();
    void infoClicked();
    void refreshClicked();

    bool readyToLaunch() const { return readyToLaunch_; }

    // Closing the window: with a ship set still installed, the player is asked first.
    bool mayQuit();

    // After an error nobody foresaw: a cycle that is open can still be closed from restore mode,
    // and otherwise the window is as after a refresh.
    void afterUnforeseenError();

  private:
    void launchSelected();
    bool mayRestore(bool earlierRun);
    // Fills the list from the catalogue, showing the reading window meanwhile.
    void readShipSets();

    Session& session_;
    MainWindowView& window_;
    bool readyToLaunch_ = false;
    std::vector<fs::path> shipSetPaths_;
    std::optional<LaunchRecord> launchRecord_;
};

}  // namespace tolvane
