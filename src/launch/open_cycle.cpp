#include "launch/open_cycle.h"

#include "game_start/run_batch.h"
#include "launch/launch_journal.h"
#include "platform/error.h"
#include "platform/folder_steps.h"
#include "platform/path_checks.h"
#include "platform/working_files.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

JournalFolders FoldersOf(const Settings& settings) {
    return {GameFolderOf(settings), BackupFolderOf(settings)};
}

}  // namespace

bool LaunchCycleOpen(const Settings& settings, const SettingsStore& store) {
    std::string lastShipSet = store.get(kSettingsSection, kLastShipSetKey);
    if (!lastShipSet.empty() && lastShipSet != kNoShipSet)
        return true;
    fs::path journal = JournalPathFor(ShipSetFolderOf(settings));
    try {
        return IsLink(journal) ||
               (IsPresent(journal) && !ReadJournal(journal, FoldersOf(settings)).closed);
    } catch (const UnfinishedJournal&) {
        return false;  // cut off before its header: nothing had changed yet
    } catch (const Error&) {
        return true;  // a journal that cannot be read may record files that are still out
    }
}

void RemoveEndedCycleLeftovers(const Settings& settings, const ProgramFolders& folders,
                               Prompts& prompts) {
    fs::path journal = JournalPathFor(ShipSetFolderOf(settings));
    try {
        if (!IsPresent(journal) || IsLink(journal))
            return;
        LaunchJournal ended = ReadJournal(journal, FoldersOf(settings));
        if (!ended.closed)
            return;
        for (const fs::path& batch : RunBatchPlaces(folders, RunBatchPlace::BesideProgram))
            RemoveTemporaries(batch.parent_path(), ended.temporaryPrefixes);
        // The journal alone says that a RunXWA.bat beside the program is ours: it goes last.
        if (DeleteRunBatch(folders, RunBatchPlaceOf(ended)))
            RemoveOwnFile(journal);
    } catch (const UnfinishedJournal&) {
        try {
            if (std::optional<std::string> moved = PutAsideUnwrittenJournal(journal))
                prompts.message(*moved, kUnwrittenJournalTitle, Icon::Information);
        } catch (const Error&) {
            // It stays where it is, and harms nothing: the next start tries again.
        }
    } catch (const Error&) {
        // A journal that cannot be read, or a leftover that stays, is the next launch's to judge.
    }
}

RunBatchPlace RunBatchPlaceOfOpenCycle(const Settings& settings) {
    try {
        return RunBatchPlaceOf(
            ReadJournal(JournalPathFor(ShipSetFolderOf(settings)), FoldersOf(settings)));
    } catch (const Error&) {
        return RunBatchPlace::DataFolder;  // the one place that is surely the program's own
    }
}

fs::path LastShipSetPackage(const Settings& settings, const SettingsStore& store) {
    std::string lastShipSet = store.get(kSettingsSection, kLastShipSetKey);
    if (!lastShipSet.empty() && lastShipSet != kNoShipSet)
        return PathFromUtf8(lastShipSet);
    try {
        return ReadJournal(JournalPathFor(ShipSetFolderOf(settings)), FoldersOf(settings)).package;
    } catch (const Error&) {
        // No package to name: the restore goes by the journal, or says what it cannot read.
        return {};
    }
}

}  // namespace tolvane
