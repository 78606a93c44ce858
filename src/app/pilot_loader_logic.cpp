#include "app/pilot_loader_logic.h"

#include "game_start/run_batch.h"
#include "launch/launch_journal.h"
#include "launch/open_cycle.h"
#include "pilots/config_cfg.h"
#include "pilots/pilot_files.h"
#include "pilots/pilot_switch.h"
#include "platform/error.h"
#include "platform/file_handles.h"
#include "text/code_page.h"

namespace tolvane {
namespace {

// "Last Pilot" names the pilot of before the launch, which the journal recorded before any member
// landed: a ship set that carries its own config.cfg must not leave its pilot there.
void RememberPilotBeforeLaunch(Session& session) {
    std::optional<std::string> line;
    try {
        const Settings& settings = session.settings;
        line = ReadJournal(JournalPathFor(ShipSetFolderOf(settings)),
                           {GameFolderOf(settings), BackupFolderOf(settings)})
                   .configFirstLine;
    } catch (const Error&) {
        // No journal to ask: config.cfg as it is now is all there is.
    }
    if (line)
        session.saveSetting(kLastPilotKey, Utf8FromWindows1252(PilotInConfig(*line)));
    else
        SaveCurrentPilot(GameFolderOf(session.settings), session.store);
}

// The restore gives the game its previous pilot back only when this cycle switched it.
void NotePilotSwitch(Session& session) {
    try {
        JournalWriter::resume(JournalPathFor(ShipSetFolderOf(session.settings))).notePilotSwitch();
    } catch (const Error&) {
        // Without the note the game keeps the chosen pilot afterwards; nothing is lost.
    }
}

}  // namespace

std::vector<std::string> LoadPilotList(const fs::path& gameFolder, Prompts& prompts) {
    PilotList pilots = ReadPilotNames(gameFolder);
    if (!pilots.unreadable.empty()) {
        std::string text = "These pilot files could not be read and are not listed:";
        for (const std::string& line : pilots.unreadable)
            text += "\r" + line;
        prompts.message(text, "Pilot Loader", Icon::Exclamation);
    }
    return pilots.names;
}

void SwitchPilot(Session& session, const std::string& name, bool tellPlayer) {
    RememberPilotBeforeLaunch(session);
    NotePilotSwitch(session);
    SetLastPilot(GameFolderOf(session.settings), name, session.prompts, tellPlayer);
}

std::string CurrentPilot(const fs::path& gameFolder) {
    try {
        return Utf8FromWindows1252(PilotInConfig(InputFile(ConfigPath(gameFolder)).readAll()));
    } catch (const Error&) {
        return {};  // no config.cfg to read: nothing is chosen, the player picks
    }
}

bool LoadPilot(Session& session, MainWindowLogic& mainWindow, const std::string& name,
               const std::function<void()>& hideLoader) {
    try {
        SwitchPilot(session, name, true);
        hideLoader();
        mainWindow.gameStarted(
            RunGame(session, RunBatchPlaceOfOpenCycle(session.settings)).program);
    } catch (const Error& error) {
        session.prompts.message(std::string(error.what()) +
                                    "\r\rThe game was not started.  Press \"Click here when done "
                                    "playing\" to put the game folder back.",
                                "Pilot Loader", Icon::Exclamation);
        hideLoader();
        mainWindow.pilotLoaderClosed();
        return false;
    }
    return true;
}

}  // namespace tolvane
