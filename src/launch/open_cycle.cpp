#include "launch/open_cycle.h"

#include "launch/launch_journal.h"
#include "platform/error.h"
#include "platform/file_system.h"
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
        return true;
    }
}

fs::path OpenCyclePackage(const Settings& settings, const SettingsStore& store) {
    std::string lastShipSet = store.get(kSettingsSection, kLastShipSetKey);
    if (!lastShipSet.empty() && lastShipSet != kNoShipSet)
        return PathFromUtf8(lastShipSet);
    try {
        return ReadJournal(JournalPathFor(ShipSetFolderOf(settings)), FoldersOf(settings)).package;
    } catch (const Error&) {
        return {};
    }
}

}  // namespace tolvane
