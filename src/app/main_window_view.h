#pragma once

#include <string>

#include "packages/patch_info.h"

namespace tolvane {

// The main window's controls that the core switches on and off, by their object names.
enum class Control { cmdInfo, Command1, cmdLaunch, lstShipSets, Command3, cmdOptions, Command2 };

inline constexpr const char* kLaunchCaption = "Launch ShipSet";
inline constexpr const char* kDonePlayingCaption = "Click here when done playing";
inline constexpr const char* kRestoreFilesCaption = "Click here to restore files";

// A progress bar that the core drives while it works. After each step the windows repaint, so
// the bar visibly moves during a long operation.
class Progress {
  public:
    virtual ~Progress() = default;
    virtual void setMaximum(int maximum) = 0;
    virtual void setValue(int value) = 0;
    virtual int value() const = 0;
    virtual int maximum() const = 0;
    void advance() { setValue(value() + 1); }
    // Raises the value by one unless it is already at the maximum.
    void advanceWithinMaximum() {
        if (value() < maximum())
            advance();
    }
};

// What the core does to the main window frmXWATolvane.
class MainWindowView {
  public:
    virtual ~MainWindowView() = default;
    virtual void setEnabled(Control control, bool enabled) = 0;
    virtual void setLaunchCaption(const std::string& caption) = 0;
    virtual std::string launchCaption() const = 0;
    virtual void setLaunchVisible(bool visible) = 0;
    virtual Progress& progress() = 0;

    virtual void clearShipSets() = 0;
    virtual void addShipSet(const std::string& name) = 0;
    virtual int selectedShipSet() const = 0;  // -1 when nothing is selected
    virtual int shipSetCount() const = 0;
    virtual std::string shipSetText(int position) const = 0;

    // The reading window frmReading, shown while the catalogue is read.
    virtual Progress& showReadingWindow() = 0;
    virtual void hideReadingWindow() = 0;
    virtual void showPilotLoader() = 0;
    // The information window frmInfo, filled for one ship set.
    virtual void showInfo(const ShipSetInfo& info) = 0;
};

// Restore mode: only the restore button and Exit can be pressed.
inline void enterRestoreMode(MainWindowView& window) {
    window.setLaunchCaption(kRestoreFilesCaption);
    window.setLaunchVisible(true);
    window.setEnabled(Control::cmdLaunch, true);
    for (Control control : {Control::lstShipSets, Control::cmdInfo, Control::cmdOptions,
                            Control::Command1, Control::Command3}) {
        window.setEnabled(control, false);
    }
    window.setEnabled(Control::Command2, true);
}

}  // namespace tolvane
