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
             {{Control::shipSetList, on}, {Control::infoButton, off}, {Control::launchButton, off},
              {Control::optionsButton, on}, {Control::refreshButton, on}, {Control::exitButton, on},
              {Control::aboutButton, on}}},
    StateRow{WindowState::EntrySelected, nullptr, std::nullopt, false,
             {{Control::launchButton, on}, {Control::infoButton, on}}},
    StateRow{WindowState::Refreshing, nullptr, std::nullopt, false,
             {{Control::launchButton, off}, {Control::infoButton, off}, {Control::refreshButton, off}}},
    StateRow{WindowState::Installing, nullptr, false, false,
             {{Control::infoButton, off}, {Control::optionsButton, off}, {Control::refreshButton, off},
              {Control::aboutButton, off}, {Control::launchButton, off}, {Control::exitButton, off},
              {Control::shipSetList, off}}},
    StateRow{WindowState::WaitingForPilot, kChoosingPilotCaption, true, false,
             {{Control::launchButton, off}}},
    StateRow{WindowState::PilotNotChosen, kPilotNotChosenCaption, true, false,
             {{Control::launchButton, on}}},
    StateRow{WindowState::WaitingForPlayToEnd, kDonePlayingCaption, true, false,
             {{Control::launchButton, on}}},
    StateRow{WindowState::RestoringAfterPlay, nullptr, false, false,
             {{Control::exitButton, off}, {Control::launchButton, off}}},
    StateRow{WindowState::OrdinaryAfterPlay, kLaunchCaption, true, true,
             {{Control::infoButton, on}, {Control::optionsButton, on}, {Control::refreshButton, on},
              {Control::exitButton, on}, {Control::aboutButton, on}, {Control::launchButton, on},
              {Control::shipSetList, on}}},
    StateRow{WindowState::LastShipSetToRestore, kRestoreFilesCaption, true, true,
             {{Control::launchButton, on}, {Control::shipSetList, off}, {Control::infoButton, off},
              {Control::optionsButton, off}, {Control::refreshButton, off}, {Control::aboutButton, off},
              {Control::exitButton, on}}},
    StateRow{WindowState::RestoringLastShipSet, nullptr, false, false,
             {{Control::infoButton, off}, {Control::optionsButton, off}, {Control::refreshButton, off},
              {Control::aboutButton, off}, {Control::exitButton, off}}},
};
// clang-format on

}  // namespace

void ShowState(MainWindowView& window, WindowState state) {
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
