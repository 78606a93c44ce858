#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "app/window_states.h"
#include "launch/install.h"
#include "packages/catalogue.h"
#include "session/session.h"
#include "text/fs_alias.h"

namespace tolvane {

// The main window's handlers. The launch button drives the whole cycle: the window's state says
// whether the next press launches, restores after play, or recovers a cycle that an earlier run
// left open.
class MainWindowLogic {
  public:
    MainWindowLogic(Session& session, MainWindowView& window)
        : session_(session), window_(window) {}

    void load();
    void listClicked();
    void launchClicked();
    void infoClicked();
    void refreshClicked();
    // The options were accepted: the list shows the ship set directory just chosen (read anew
    // when `folderChanged`), and a cycle left open there leads to the restore.
    void optionsAccepted(bool folderChanged);
    // A cycle an earlier run left open: the player is told, and the launch button restores.
    void offerRestore();

    // The one way the window changes state: the controls follow at once.
    void enter(WindowState state);
    // The next press of the launch button launches the selected ship set.
    bool readyToLaunch() const;

    // The pilot loader started the game, or closed without starting it: the launch button comes
    // back to close the cycle.
    void gameStarted(RunningProgram game);
    void pilotLoaderClosed();
    // The pilot loader closed with no pilot loaded and no game started: the launch button offers
    // the pilot loader again, or the restore.
    void pilotLoaderCancelled();
    // The entry chosen in the list is no longer shown (a filter hides it): nothing is selected.
    void selectionHidden();
    // The game the window started has ended: one that ended at once with an error never
    // started, and the player is told what its starter printed. The cycle stays open.
    void gameEnded(const RunningProgram& game);

    // Closing the window: with a ship set still installed, the player is asked first.
    bool mayQuit();

    // After an error nobody foresaw: a cycle that is open can still be closed by restoring the last
    // ship set, and otherwise the window is as after a refresh.
    void afterUnforeseenError();

  private:
    void launchSelected();
    void restoreAfterPlay();
    void restoreLastShipSet();
    bool mayRestore(bool earlierRun);
    void choosePilotOrRestore();
    // Marks in the list the ship set installed while a cycle is open.
    void markInstalled();
    // Fills the list from the catalogue, showing the reading window meanwhile.
    void readShipSets();

    Session& session_;
    MainWindowView& window_;
    WindowState state_ = WindowState::NothingSelected;
    std::vector<ShipSetEntry> shipSets_;
    std::optional<LaunchedShipSet> launchRecord_;
};

}  // namespace tolvane
