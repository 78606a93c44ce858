#include "app/window_states.h"

#include <array>
#include <optional>
#include <vector>

namespace tolvane {
namespace {

struct ControlSetting {
    Control control;
    bool enabled;
};

struct StateRow {
    WindowState state;
    const char* caption;  // nullptr: the caption stays
    std::optional<bool> launchVisible;
    bool resetProgress;
    std::vector<ControlSetting> controls;  // applied in this order
};

constexpr bool on = true;
constexpr bool off = false;

// clang-format off
const std::array kStates{
    StateRow{WindowState::NothingSelected, kLaunchCaption, true, true,
             {{Control::lstShipSets, on}, {Control::cmdInfo, off}, {Control::cmdLaunch, off},
              {Control::cmdOptions, on}, {Control::Command1, on}, {Control::Command2, on},
              {Control::Command3, on}}},
    StateRow{WindowState::EntrySelected, nullptr, std::nullopt, false,
             {{Control::cmdLaunch, on}, {Control::cmdInfo, on}}},
    StateRow{WindowState::Refreshing, nullptr, std::nullopt, false,
             {{Control::cmdLaunch, off}, {Control::cmdInfo, off}, {Control::Command1, off}}},
    StateRow{WindowState::Installing, nullptr, false, false,
             {{Control::cmdInfo, off}, {Control::cmdOptions, off}, {Control::Command1, off},
              {Control::Command3, off}, {Control::cmdLaunch, off}, {Control::Command2, off},
              {Control::lstShipSets, off}}},
    StateRow{WindowState::WaitingForPilot, kDonePlayingCaption, false, false, {}},
    StateRow{WindowState::WaitingForPlayToEnd, kDonePlayingCaption, true, false,
             {{Control::cmdLaunch, on}}},
    StateRow{WindowState::RestoringAfterPlay, nullptr, false, false,
             {{Control::Command2, off}, {Control::cmdLaunch, off}}},
    StateRow{WindowState::OrdinaryAfterPlay, kLaunchCaption, true, true,
             {{Control::cmdInfo, on}, {Control::cmdOptions, on}, {Control::Command1, on},
              {Control::Command2, on}, {Control::Command3, on}, {Control::cmdLaunch, on},
              {Control::lstShipSets, on}}},
    StateRow{WindowState::RestoreMode, kRestoreFilesCaption, true, true,
             {{Control::cmdLaunch, on}, {Control::lstShipSets, off}, {Control::cmdInfo, off},
              {Control::cmdOptions, off}, {Control::Command1, off}, {Control::Command3, off},
              {Control::Command2, on}}},
    StateRow{WindowState::RecoveryRunning, nullptr, false, false,
             {{Control::cmdInfo, off}, {Control::cmdOptions, off}, {Control::Command1, off},
              {Control::Command3, off}, {Control::Command2, off}}},
};
// clang-format on

}  // namespace

void EnterState(MainWindowView& window, WindowState state) {
    for (const StateRow& row : kStates) {
        if (row.state != state)
            continue;
        if (row.resetProgress)
            window.progress().setValue(0);
        if (row.caption != nullptr)
            window.setLaunchCaption(row.caption);
        if (row.launchVisible)
            window.setLaunchVisible(*row.launchVisible);
        for (const ControlSetting& setting : row.controls)
            window.setEnabled(setting.control, setting.enabled);
        return;
    }
}

}  // namespace tolvane
