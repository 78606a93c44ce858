#include "app/main_window_logic.h"

#include <variant>

#include "app/game_end.h"
#include "game_start/game_start.h"
#include "launch/launch_preview.h"
#include "launch/open_cycle.h"
#include "launch/restore.h"
#include "packages/catalogue.h"
#include "packages/patch_info.h"
#include "platform/error.h"
#include "platform/path_checks.h"
#include "text/path_text.h"

namespace tolvane {

namespace {

// What the information window shows of a ship set: its author's text, or why there is none.
ShipSetInfo InfoOf(const ShipSetEntry& entry) {
    ShipSetInfo info;
    try {
        if (entry.hasInfo)
            return ParseShipSetInfo(ReadPatchInfo(entry.package).value_or(""));
        info.description = entry.unreadable ? "This ShipSet cannot be read: " + *entry.unreadable
                                            : "This ShipSet carries no Patchinfo.txt.";
    } catch (const Error& error) {
        info.description = std::string("This ShipSet cannot be read: ") + error.what();
    }
    info.name = entry.listName;
    return info;
}

}  // namespace

void MainWindowLogic::enter(WindowState state) {
    state_ = state;
    ShowState(window_, state);
    markInstalled();
}

void MainWindowLogic::markInstalled() {
    bool cycleOpen =
        state_ == WindowState::WaitingForPilot || state_ == WindowState::PilotNotChosen ||
        state_ == WindowState::WaitingForPlayToEnd || state_ == WindowState::LastShipSetToRestore;
    int position = -1;
    if (cycleOpen) {
        fs::path installed = launchRecord_ ? launchRecord_->package
                                           : LastShipSetPackage(session_.settings, session_.store);
        for (std::size_t i = 0; i < shipSets_.size(); ++i) {
            if (shipSets_[i].package == installed)
                position = static_cast<int>(i);
        }
    }
    window_.markInstalled(position);
}

bool MainWindowLogic::readyToLaunch() const {
    return state_ == WindowState::NothingSelected || state_ == WindowState::EntrySelected ||
           state_ == WindowState::OrdinaryAfterPlay;
}

void MainWindowLogic::load() {
    // Ordinary before the list is read: a list that cannot be read must not swallow the next press.
    enter(WindowState::NothingSelected);
    readShipSets();
}

void MainWindowLogic::afterUnforeseenError() {
    enter(LaunchCycleOpen(session_.settings, session_.store) ? WindowState::LastShipSetToRestore
                                                             : WindowState::NothingSelected);
    window_.hideReadingWindow();
}

void MainWindowLogic::listClicked() {
    if (readyToLaunch() && window_.shipSetCount() > 0)
        enter(WindowState::EntrySelected);
}

void MainWindowLogic::refreshClicked() {
    enter(WindowState::Refreshing);
    window_.clearShipSets();
    readShipSets();
    enter(WindowState::NothingSelected);
}

void MainWindowLogic::optionsAccepted(bool folderChanged) {
    if (!readyToLaunch())
        return;
    if (folderChanged)
        refreshClicked();
    if (LaunchCycleOpen(session_.settings, session_.store))
        offerRestore();
}

void MainWindowLogic::offerRestore() {
    session_.prompts.message(
        "Tolvane was shut down before it could restore the backup files of the last launched "
        "shipset.  You can restore those backup files now if you wish.",
        "Uh-oh", Icon::Exclamation);
    enter(WindowState::LastShipSetToRestore);
}

void MainWindowLogic::readShipSets() {
    fs::path folder = ShipSetFolderOf(session_.settings);
    if (!IsAccessibleFolder(folder)) {
        window_.clearShipSets();
        shipSets_.clear();
        session_.prompts.message("The ShipSet directory " + DisplayPath(folder) +
                                     " does not exist.  Choose the folder of your ShipSets in "
                                     "Options.",
                                 "ShipSet Directory", Icon::Exclamation);
        return;
    }
    Progress& reading = window_.showReadingWindow();
    std::vector<ShipSetEntry> entries = ReadShipSetNames(folder, reading);
    window_.clearShipSets();
    for (const ShipSetEntry& entry : entries)
        window_.addShipSet(entry.listName);
    shipSets_ = std::move(entries);
    window_.hideReadingWindow();
}

void MainWindowLogic::infoClicked() {
    int position = window_.selectedShipSet();
    if (position < 0 || position >= static_cast<int>(shipSets_.size()))
        return;
    const ShipSetEntry& entry = shipSets_[position];
    window_.showInfo(InfoOf(entry), PreviewLaunch(session_, entry.package));
}

// The game still runs (the one this window started, or, for a cycle an earlier run left open, any
// run of its executable): the player decides whether to restore under it.
bool MainWindowLogic::mayRestore(bool earlierRun) {
    bool running = window_.gameRunning() ||
                   (earlierRun && window_.gameRunningAt(
                                      GameImagePaths(PathFromUtf8(session_.settings.gameExePath))));
    return !running || session_.prompts.question(
                           "The game is still running. Restore the game folder anyway?",
                           "Game Still Running", Icon::Exclamation, Answer::No) == Answer::Yes;
}

bool MainWindowLogic::mayQuit() {
    return !LaunchCycleOpen(session_.settings, session_.store) ||
           session_.prompts.question(
               "A ShipSet is still installed. Quit anyway? The next start "
               "will offer to restore the game folder.",
               kProgramTitle, Icon::Exclamation, Answer::No) == Answer::Yes;
}

void MainWindowLogic::launchClicked() {
    if (state_ == WindowState::LastShipSetToRestore)
        restoreLastShipSet();
    else if (state_ == WindowState::PilotNotChosen && launchRecord_)
        choosePilotOrRestore();
    else if (state_ == WindowState::WaitingForPlayToEnd && launchRecord_)
        restoreAfterPlay();
    else if (readyToLaunch())
        launchSelected();
}

void MainWindowLogic::restoreLastShipSet() {
    if (!mayRestore(true))
        return;
    enter(WindowState::RestoringLastShipSet);
    RestoreOutcome outcome = RestoreLastShipSet(
        session_, window_.progress(), LastShipSetPackage(session_.settings, session_.store));
    enter(outcome == RestoreOutcome::Restored ? WindowState::NothingSelected
                                              : WindowState::LastShipSetToRestore);
}

void MainWindowLogic::restoreAfterPlay() {
    if (!mayRestore(false))
        return;
    enter(WindowState::RestoringAfterPlay);
    RestoreOutcome outcome = RestoreAfterPlay(session_, window_.progress(), *launchRecord_);
    enter(outcome == RestoreOutcome::Restored ? WindowState::OrdinaryAfterPlay
                                              : WindowState::LastShipSetToRestore);
}

void MainWindowLogic::gameStarted(RunningProgram game) {
    window_.watchGame(std::move(game));
    pilotLoaderClosed();
}

void MainWindowLogic::gameEnded(const RunningProgram& game) {
    if (std::optional<std::string> why = WhyTheGameNeverStarted(game)) {
        session_.prompts.message(*why +
                                     "\r\rThe game folder can be put back: press \"Click here "
                                     "when done playing\".",
                                 "Game Not Started", Icon::Exclamation);
    }
}

void MainWindowLogic::pilotLoaderClosed() {
    enter(WindowState::WaitingForPlayToEnd);
}

void MainWindowLogic::pilotLoaderCancelled() {
    enter(WindowState::PilotNotChosen);
}

void MainWindowLogic::selectionHidden() {
    if (readyToLaunch())
        enter(WindowState::NothingSelected);
}

// No game was started: the player goes back to the pilot loader, or puts the game folder back.
void MainWindowLogic::choosePilotOrRestore() {
    if (session_.prompts.question("No game has been started yet.  Choose a pilot and start the "
                                  "game?\r\rNo puts the game folder back as it was.",
                                  "Pilot Loader", Icon::Information, Answer::Yes) == Answer::Yes) {
        enter(WindowState::WaitingForPilot);
        window_.showPilotLoader();
        return;
    }
    restoreAfterPlay();
}

void MainWindowLogic::launchSelected() {
    int position = window_.selectedShipSet();
    if (position < 0 || position >= static_cast<int>(shipSets_.size()))
        return;
    const fs::path& package = shipSets_[position].package;
    std::variant<LaunchPlan, LaunchRefusal> plan = PlanLaunch(session_, package);
    if (const auto* refusal = std::get_if<LaunchRefusal>(&plan)) {
        session_.prompts.message(refusal->text, refusal->title, refusal->icon);
        return;
    }
    WindowState before = state_;
    enter(WindowState::Installing);
    LaunchResult result = LaunchShipSet(session_.store, session_.prompts, window_.progress(),
                                        std::get<LaunchPlan>(plan));
    if (result.outcome == LaunchOutcome::NotStarted) {
        // Nothing changed: back to where the press found the window, the ship set selected.
        enter(before == WindowState::OrdinaryAfterPlay ? before : WindowState::NothingSelected);
        listClicked();
        return;
    }
    launchRecord_ = result.record;
    if (result.outcome == LaunchOutcome::WaitingForPilot) {
        enter(WindowState::WaitingForPilot);
        window_.showPilotLoader();
    } else {
        session_.prompts.message(result.failure +
                                     "\r\rThe game folder can be put back as it was: press "
                                     "\"Click here when done playing\".",
                                 "Launch Failed", Icon::Critical);
        enter(WindowState::WaitingForPlayToEnd);
    }
}

}  // namespace tolvane
