#pragma once

#include <string>
#include <vector>

#include "launch/launch_preview.h"
#include "packages/patch_info.h"
#include "platform/process.h"
#include "session/progress.h"

namespace tolvane {

// The main window's controls that the state table switches on and off.
enum class Control {
    infoButton,     // "Info on Shipset"
    refreshButton,  // "Refresh ShipSet List"
    launchButton,   // the one button that drives the launch cycle
    shipSetList,
    aboutButton,    // "About Tolvane"
    optionsButton,  // "Options"
    exitButton,     // "E&xit"
};

inline constexpr const char* kLaunchCaption = "Launch ShipSet";
inline constexpr const char* kDonePlayingCaption = "Click here when done playing";
inline constexpr const char* kRestoreFilesCaption = "Click here to restore files";
// While the pilot loader is open, and after it closed with no game started.
inline constexpr const char* kChoosingPilotCaption = "Choose a pilot in the Pilot Loader";
inline constexpr const char* kPilotNotChosenCaption = "Choose a pilot or restore";

// What the handlers do to the main window.
class MainWindowView {
  public:
    virtual ~MainWindowView() = default;
    virtual void setEnabled(Control control, bool enabled) = 0;
    virtual void setLaunchCaption(const std::string& caption) = 0;
    virtual void setLaunchVisible(bool visible) = 0;
    virtual Progress& progress() = 0;

    virtual void clearShipSets() = 0;
    virtual void addShipSet(const std::string& name) = 0;
    // Marks the entry at `position` as the ship set installed now; -1 marks none.
    virtual void markInstalled(int position) = 0;
    virtual int selectedShipSet() const = 0;  // -1 when nothing is selected
    virtual int shipSetCount() const = 0;

    // The reading window, shown while the catalogue is read.
    virtual Progress& showReadingWindow() = 0;
    virtual void hideReadingWindow() = 0;
    virtual void showPilotLoader() = 0;
    // The information window, filled for one ship set, with what its launch would change.
    virtual void showInfo(const ShipSetInfo& info, const LaunchPreview& changes) = 0;

    // The game just started: when it ends, the window comes to the front, ready to restore.
    virtual void watchGame(RunningProgram game) = 0;
    // True while the game this window watches runs.
    virtual bool gameRunning() = 0;
    // True while this player's game runs, started by whoever, where that can be known: for a
    // cycle that an earlier run left open. `imagePaths` are the forms that name the game's
    // executable (GameImagePaths).
    virtual bool gameRunningAt(const std::vector<std::string>& imagePaths) = 0;
};

}  // namespace tolvane
