#pragma once

#include "app/main_window_view.h"

namespace tolvane {

// The states the main window passes through in a launch cycle. The main window's logic keeps the
// one it is in and enters the next after the procedure it ran reports what happened; the controls
// follow from one table.
enum class WindowState {
    NothingSelected,       // ordinary: loaded, refreshed, or recovered
    EntrySelected,         // ordinary, after a click on an entry
    Refreshing,            // the list is being read again
    Installing,            // a ship set is being installed; the progress bar shows
    WaitingForPilot,       // installed; the pilot loader is open
    PilotNotChosen,        // installed; the pilot loader closed with no game started
    WaitingForPlayToEnd,   // the launch button closes the cycle
    RestoringAfterPlay,    // the game folder is being put back; the progress bar shows
    OrdinaryAfterPlay,     // restored after play; the selected entry stays selected
    LastShipSetToRestore,  // a cycle is still open: only restoring and Exit
    RestoringLastShipSet,  // a cycle left open is being put back; the progress bar shows
};

// Sets the launch button's caption and visibility and enables or disables the controls, in the
// state table's order, for `state`.
void ShowState(MainWindowView& window, WindowState state);

}  // namespace tolvane
