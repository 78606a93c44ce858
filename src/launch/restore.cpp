#include "launch/restore.h"

#include "game_start/run_batch.h"
#include "launch/game_folder_restore.h"
#include "launch/launch_journal.h"
#include "pilots/config_cfg.h"
#include "pilots/pilot_files.h"
#include "pilots/pilot_switch.h"
#include "platform/error.h"
#include "platform/folder_steps.h"
#include "platform/path_checks.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

constexpr const char* kSuccessText = "All the files have been restored succesfully.";

std::string ShortList(const std::vector<std::string>& lines) {
    constexpr std::size_t kShown = 8;
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i)
        text += "\r" + lines[i];
    if (lines.size() > kShown)
        text += "\r... and " + std::to_string(lines.size() - kShown) + " more.";
    return text;
}

void ReportIncomplete(Prompts& prompts, const RestoreReport& report) {
    if (report.refusedJournal) {
        prompts.message(*report.refusedJournal +
                            "\r\rTolvane has moved and deleted nothing.  Every file the launch "
                            "replaced is still in the backup folder.  Put the journal right or "
                            "move it away, then " +
                            prompts.howTo(Instruction::Restore) + " again.",
                        "Restore Incomplete", Icon::Exclamation);
        return;
    }
    prompts.message(
        "Tolvane could not put every file back; their backups are kept in the backup folder." +
            ShortList(report.notPutBack) +
            "\r\rClose the game and any program that may be using these files, then " +
            prompts.howTo(Instruction::Restore) + " to try again.",
        "Restore Incomplete", Icon::Exclamation);
}

bool LeavesUnaccountedFiles(const RestoreReport& report) {
    return !report.fromJournal && (report.packageUnreadable || !report.unaccounted.empty());
}

// Without a journal some files cannot be told apart from the game's own: the player decides
// whether the cycle is over.
bool PlayerClosesUnaccounted(Prompts& prompts, const fs::path& package,
                             const RestoreReport& report) {
    std::string text =
        report.packageUnreadable
            ? "Tolvane could not read the ShipSet " + DisplayPath(package) +
                  " and has no record of what it installed.  The files in the backup folder have "
                  "been put back; files that the ShipSet added may still be in the game folder."
            : "The files in the backup folder have been put back.  Tolvane has no record of "
              "which files the ShipSet added, so these were left in the game folder:" +
                  ShortList(report.unaccounted);
    return prompts.question(text +
                                "\r\rMark the ShipSet as restored anyway?  Answer No to keep it "
                                "open and restore again later.",
                            "Restore Incomplete", Icon::Exclamation, Answer::No) == Answer::Yes;
}

// Without a journal's record of the pilot line, "Last Pilot" goes back, when the game still has
// that pilot.
void RestorePilotFromSetting(Session& session) {
    if (!IsPresent(ConfigPath(GameFolderOf(session.settings))))
        return;  // no config.cfg to name a pilot in
    std::string pilot = session.setting(kLastPilotKey);
    std::vector<std::string> pilots = ReadPilotNames(GameFolderOf(session.settings)).names;
    if (std::find(pilots.begin(), pilots.end(), pilot) == pilots.end())
        return;
    try {
        SetLastPilot(GameFolderOf(session.settings), pilot, session.prompts, false);
    } catch (const Error& error) {
        session.prompts.message(
            std::string(error.what()) + "\r\rThe game will start with the pilot it has now.",
            "Pilot Not Restored", Icon::Exclamation);
    }
}

// Marks the cycle closed. When the settings cannot say so, the journal stays, so that the next
// start offers the restore again and finds nothing left to do.
void CloseCycle(Session& session, const fs::path& journal, const RestoreReport& report) {
    if (report.pilotFromSetting)
        RestorePilotFromSetting(session);
    try {
        session.saveSetting(kLastShipSetKey, kNoShipSet);
    } catch (const Error& error) {
        session.prompts.message(std::string(error.what()) +
                                    "\r\rEvery file is back in place, but the next start will "
                                    "offer to restore again.",
                                "Restore", Icon::Exclamation);
        return;
    }
    // A closed journal left behind is removed by the next start, with the RunXWA.bat it names.
    if (!report.runBatchLeft)
        RemoveOwnFile(journal);
}

// Told once, after the restore: where the versions of pilots that the player did not keep went.
void TellOfKeptPilots(Prompts& prompts, const RestoreReport& report) {
    if (report.keptAside.empty())
        return;
    prompts.message("The versions of your pilot files that you did not keep are in " +
                        DisplayPath(report.keptAsideFolder) + ":" + ShortList(report.keptAside),
                    "Pilots Kept", Icon::Information);
}

std::string LeftoversNote(const RestoreReport& report) {
    if (report.leftovers.empty())
        return "";
    return "\r\rTolvane could not remove these, which hold nothing of the game's:" +
           ShortList(report.leftovers);
}

RestoreReport RestoreFromRecord(Session& session, Progress& progress, const fs::path& journal,
                                const fs::path& package) {
    const Settings& settings = session.settings;
    JournalFolders folders{GameFolderOf(settings), BackupFolderOf(settings)};
    GameFolderRestore restore(session.prompts, progress, session.folders);
    try {
        if (IsLink(journal))
            throw DamagedJournal(DisplayPath(journal) +
                                 " is a link, and Tolvane reads its "
                                 "launch journal only where it wrote it.");
        if (IsPresent(journal))
            return restore.fromJournal(journal, ReadJournal(journal, folders));
    } catch (const UnfinishedJournal&) {
        // Cut off before its header, so before any change: the package and the backups tell.
    } catch (const DamagedJournal& error) {
        RestoreReport refused;
        refused.refusedJournal = error.what();
        return refused;
    } catch (const Error& error) {
        // The journal is there but cannot be read now: restoring without it could leave added
        // files behind, so the cycle stays open for another try.
        RestoreReport unread;
        unread.notPutBack.push_back(error.what());
        return unread;
    }
    return restore.fromPackage(package, folders.game, folders.backup);
}

// What the player is told when every file is back: after play, only what could not be removed;
// after a restore of a cycle an earlier run left open, that it succeeded.
enum class Told { LeftoversOnly, Success };

RestoreOutcome Restore(Session& session, Progress& progress, const fs::path& journal,
                       const fs::path& package, Told told) {
    RestoreReport report = RestoreFromRecord(session, progress, journal, package);
    TellOfKeptPilots(session.prompts, report);
    for (const std::string& checksum : report.keptPlayed) {
        try {
            NoteKeptByACycle(session.store, checksum);
        } catch (const Error&) {
            // Only the wording of a later question about the pilot depends on it.
        }
    }
    if (!report.complete()) {
        ReportIncomplete(session.prompts, report);
        return RestoreOutcome::RestoredInPart;
    }
    bool unaccounted = LeavesUnaccountedFiles(report);
    if (unaccounted && !PlayerClosesUnaccounted(session.prompts, package, report))
        return RestoreOutcome::RestoredInPart;
    CloseCycle(session, journal, report);
    if (told == Told::Success && !unaccounted) {
        session.prompts.message(kSuccessText + LeftoversNote(report), "Success!",
                                Icon::Information);
    } else if (told == Told::LeftoversOnly && !report.leftovers.empty()) {
        session.prompts.message("Every file is back in place." + LeftoversNote(report), "Restore",
                                Icon::Information);
    }
    DeleteRunBatch(session.folders, RunBatchPlace::DataFolder);  // only that one is surely ours
    return RestoreOutcome::Restored;
}

}  // namespace

RestoreOutcome RestoreAfterPlay(Session& session, Progress& progress,
                                const LaunchedShipSet& record) {
    return Restore(session, progress, record.journalPath, record.package, Told::LeftoversOnly);
}

RestoreOutcome RestoreLastShipSet(Session& session, Progress& progress, const fs::path& package) {
    fs::path journal = JournalPathFor(ShipSetFolderOf(session.settings));
    return Restore(session, progress, journal, package, Told::Success);
}

}  // namespace tolvane
