#include "app/main_window_logic.h"

#include <variant>

#include "launch/restore.h"
#include "packages/catalogue.h"
#include "packages/package_checks.h"
#include "packages/patch_info.h"
#include "platform/error.h"
#include "platform/file_io.h"

namespace tolvane {

void MainWindowLogic::load() {
    session_.loadSettings();
    shipSetPaths_ = ReadShipSetNames(session_, window_);
    readyToLaunch_ = true;
}

void MainWindowLogic::listClicked() {
    session_.loadSettings();
    window_.setEnabled(Control::cmdLaunch, true);
    if (window_.shipSetCount() > 0)
        window_.setEnabled(Control::cmdInfo, true);
}

void MainWindowLogic::refreshClicked() {
    for (Control control : {Control::cmdLaunch, Control::cmdInfo, Control::Command1})
        window_.setEnabled(control, false);
    window_.clearShipSets();
    shipSetPaths_ = ReadShipSetNames(session_, window_);
    window_.setEnabled(Control::Command1, true);
}

void MainWindowLogic::infoClicked() {
    int position = window_.selectedShipSet();
    if (position < 0 || position >= static_cast<int>(shipSetPaths_.size()))
        return;
    if (window_.shipSetText(position) == kNoPatchInfo)
        return;
    std::optional<std::string> text = ExtractPatchInfo(shipSetPaths_[position]);
    window_.showInfo(parseShipSetInfo(text.value_or("")));
}

void MainWindowLogic::launchClicked() {
    if (window_.launchCaption() == kRestoreFilesCaption) {
        window_.setLaunchVisible(false);
        for (Control control :
             {Control::cmdInfo, Control::cmdOptions, Control::Command1, Control::Command3})
            window_.setEnabled(control, false);
        RestoreLastShipSet(session_, window_, session_.setting(kLastShipSetKey));
        return;
    }
    if (!readyToLaunch_) {
        if (launchRecord_)
            RestoreAfterPlay(session_, window_, *launchRecord_);
        readyToLaunch_ = true;
        session_.loadSettings();
        return;
    }
    launchSelected();
}

void MainWindowLogic::launchSelected() {
    int position = window_.selectedShipSet();
    if (position < 0 || position >= static_cast<int>(shipSetPaths_.size()))
        return;
    const std::filesystem::path& package = shipSetPaths_[position];
    if (!passesLaunchChecks(session_.prompts, package))
        return;
    std::variant<LaunchPlan, LaunchRefusal> plan = planLaunch(session_, package);
    if (const auto* refusal = std::get_if<LaunchRefusal>(&plan)) {
        session_.prompts.message(refusal->text, refusal->title, Icon::Exclamation);
        return;
    }
    window_.setLaunchVisible(false);
    for (Control control : {Control::cmdInfo, Control::cmdOptions, Control::Command1,
                            Control::Command3, Control::cmdLaunch})
        window_.setEnabled(control, false);
    launchRecord_ = LaunchShipSet(session_, window_, std::get<LaunchPlan>(plan));
    readyToLaunch_ = false;
    session_.loadSettings();
}

}  // namespace tolvane
