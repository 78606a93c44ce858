#include "launch/restore.h"

#include <set>
#include <vector>

#include "launch/launch_file_list.h"
#include "launch/launch_journal.h"
#include "packages/gob_package.h"
#include "packages/package_folders.h"
#include "packages/package_validator.h"
#include "pilots/pilot_switch.h"
#include "pilots/run_batch.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/folder_lookup.h"
#include "platform/text.h"

namespace tolvane {
namespace {

struct RestoreOutcome {
    std::vector<std::string> notPutBack;   // why each file that is still out of place is
    std::vector<std::string> leftInPlace;  // files with no record of being added
    bool packageUnreadable = false;
    // Whether the game's pilot was switched for this cycle, so that it must be set back.
    bool pilotSwitched = true;
    bool complete() const { return notPutBack.empty(); }
};

std::string shownName(const fs::path& relative) {
    std::string name = relative.generic_string();
    for (char& c : name) {
        if (c == '/')
            c = '\\';
    }
    return name;
}

bool isPilotFile(const fs::path& path) {
    return endsWithIgnoringCase(path.filename().string(), ".PLT");
}

// Puts the game folder back, one file at a time, so that running it again after a failure or a
// crash continues where it stopped.
class GameFolderRestore {
  public:
    GameFolderRestore(Prompts& prompts, Progress& progress)
        : prompts_(prompts), progress_(progress) {}

    RestoreOutcome fromJournal(const fs::path& journalPath) {
        LaunchJournal journal = readJournal(journalPath);
        outcome_.pilotSwitched = journal.pilotSwitched;
        JournalWriter writer = JournalWriter::resume(journalPath);
        startProgress(journal.members.size());
        for (const JournalMember& member : journal.members) {
            progress_.advance();
            if (journal.restoredMembers.contains(member.number))
                continue;
            fs::path game = journal.gameFolder / member.relativePath;
            fs::path backup = journal.backupFolder / member.relativePath;
            bool done = true;
            if (member.change == MemberChange::Replaced && isPresent(backup)) {
                done = restoreReplaced(shownName(member.relativePath), backup, game);
            } else if (member.change == MemberChange::Added && isPresent(game)) {
                done = (isPilotFile(game) && keepPilot(shownName(member.relativePath))) ||
                       attempt([&] { deleteFileIfPresent(game); });
            }
            if (done)
                markRestored(writer, member.number);
            removeFolderIfEmpty(backup.parent_path());
        }
        if (!journal.executableName.empty()) {
            fs::path backup = journal.backupFolder / journal.executableName;
            if (isPresent(backup))
                putBack(backup, journal.gameFolder / journal.executableName);
        }
        progress_.advanceWithinMaximum();
        for (auto folder = journal.createdFolders.rbegin(); folder != journal.createdFolders.rend();
             ++folder) {
            removeFolderIfEmpty(journal.gameFolder / *folder);
        }
        progress_.advanceWithinMaximum();
        removeEmptyFolders(journal.backupFolder);
        progress_.advanceWithinMaximum();
        if (outcome_.complete())
            attempt([&] { writer.closed(); });
        return outcome_;
    }

    // Without a journal: the package names the members, and a member's backup copy is the only
    // sign that it replaced a game file. A file without one may be the game's own, so it stays.
    RestoreOutcome fromPackage(const fs::path& packagePath, const fs::path& gameFolder,
                               const fs::path& backupFolder) {
        std::vector<std::string> names;
        try {
            GobPackage package(packagePath);
            for (const GobMember& member : package.members()) {
                std::string name = installedName(member);
                if (!nameFault(name))
                    names.push_back(name);
            }
        } catch (const Error&) {
            outcome_.packageUnreadable = true;
        }
        startProgress(names.size());
        std::set<std::string> seen;
        for (const std::string& name : names) {
            progress_.advance();
            if (!seen.insert(upperAscii(name)).second)
                continue;
            std::vector<std::string> components = nameComponents(name);
            fs::path game = resolveIgnoringCase(gameFolder, components);
            fs::path backup = resolveIgnoringCase(backupFolder, components);
            if (isPresent(backup)) {
                restoreReplaced(displayName(name), backup, game);
                removeFolderIfEmpty(backup.parent_path());
            } else if (isPresent(game)) {
                outcome_.leftInPlace.push_back(game.string());
            }
        }
        LaunchFileList files;
        if (files.setFolder(backupFolder)) {
            files.setPattern(kExecutablePattern);
            std::string executable = files.item(0);
            if (!executable.empty())
                putBack(backupFolder / executable, gameFolder / executable);
        }
        if (outcome_.packageUnreadable)
            putBackEverything(backupFolder, gameFolder);
        RemovePackageFolders(packagePath, gameFolder);
        RemovePackageFolders(packagePath, backupFolder);
        removeEmptyFolders(backupFolder);
        return outcome_;
    }

  private:
    void startProgress(std::size_t members) {
        progress_.setValue(0);
        progress_.setMaximum(static_cast<int>(members));
    }

    // A file the launch replaced: the played copy stays if the player keeps a pilot, else the
    // backup goes back over it.
    bool restoreReplaced(const std::string& name, const fs::path& backup, const fs::path& game) {
        if (isPilotFile(game) && keepPilot(name))
            return attempt([&] { deleteFileIfPresent(backup); });
        return putBack(backup, game);
    }

    bool keepPilot(const std::string& name) {
        return prompts_.question("Would you like to keep " + name + "?", "Keep Pilot?",
                                 Icon::Information, Answer::Yes) == Answer::Yes;
    }

    bool putBack(const fs::path& backup, const fs::path& game) {
        return attempt([&] { moveFile(backup, game); });
    }

    void putBackEverything(const fs::path& backupFolder, const fs::path& gameFolder) {
        std::error_code ec;
        std::vector<fs::path> files;
        for (fs::recursive_directory_iterator it(backupFolder, ec), end; !ec && it != end;
             it.increment(ec)) {
            if (it->is_regular_file(ec))
                files.push_back(it->path());
        }
        for (const fs::path& file : files) {
            fs::path game = gameFolder / file.lexically_relative(backupFolder);
            attempt([&] {
                fs::create_directories(game.parent_path());
                moveFile(file, game);
            });
        }
    }

    // Runs one file step; a failure is remembered for the player and the restore goes on.
    template <typename Step>
    bool attempt(Step step) {
        try {
            step();
            return true;
        } catch (const Error& error) {
            outcome_.notPutBack.push_back(error.what());
        } catch (const fs::filesystem_error& error) {
            outcome_.notPutBack.push_back(error.what());
        }
        return false;
    }

    static void markRestored(JournalWriter& writer, int number) {
        try {
            writer.memberRestored(number);
        } catch (const Error&) {
            // Only saves asking again after a failure; the files themselves are where they belong.
        }
    }

    Prompts& prompts_;
    Progress& progress_;
    RestoreOutcome outcome_;
};

std::string shortList(const std::vector<std::string>& lines) {
    constexpr std::size_t kShown = 8;
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i)
        text += "\r" + lines[i];
    if (lines.size() > kShown)
        text += "\r... and " + std::to_string(lines.size() - kShown) + " more.";
    return text;
}

void reportIncomplete(Session& session, MainWindowView& window, const RestoreOutcome& outcome) {
    session.prompts.message(
        "Tolvane could not put every file back; their backups are kept in the backup folder." +
            shortList(outcome.notPutBack) +
            "\r\rClose the game and any program that may be using these files, then press "
            "\"Click here to restore files\" to try again.",
        "Restore Incomplete", Icon::Exclamation);
    window.progress().setValue(0);
    enterRestoreMode(window);
}

// Marks the cycle closed and gives the game its previous pilot back, if it was switched.
void closeCycle(Session& session, const fs::path& journal, const RestoreOutcome& outcome) {
    session.saveSetting(kLastShipSetKey, kNoShipSet);
    std::error_code ignored;  // a leftover closed journal is removed by the next launch
    fs::remove(journal, ignored);
    if (!outcome.pilotSwitched)
        return;
    try {
        SetLastPilot(session, session.setting(kLastPilotKey), false);
    } catch (const Error& error) {
        session.prompts.message(
            std::string(error.what()) + "\r\rThe game will start with the pilot it has now.",
            "Pilot Not Restored", Icon::Exclamation);
    }
}

RestoreOutcome restoreFromRecord(Session& session, Progress& progress, const fs::path& journal,
                                 const fs::path& package, const fs::path& gameFolder,
                                 const fs::path& backupFolder) {
    if (isPresent(journal)) {
        try {
            return GameFolderRestore(session.prompts, progress).fromJournal(journal);
        } catch (const Error&) {
            // Unreadable journal: fall back to what the package and the backups tell.
        }
    }
    return GameFolderRestore(session.prompts, progress)
        .fromPackage(package, gameFolder, backupFolder);
}

}  // namespace

void RestoreAfterPlay(Session& session, MainWindowView& window, const LaunchRecord& record) {
    window.setEnabled(Control::Command2, false);
    window.setEnabled(Control::cmdLaunch, false);
    window.setLaunchVisible(false);
    const Settings& settings = session.settings;
    RestoreOutcome outcome = restoreFromRecord(
        session, window.progress(), record.journal, record.package,
        fs::path(settings.gameExePath).parent_path(), fs::path(settings.shipSetDir) / "Backup");
    if (!outcome.complete())
        return reportIncomplete(session, window, outcome);
    closeCycle(session, record.journal, outcome);
    for (Control control :
         {Control::cmdInfo, Control::cmdOptions, Control::Command1, Control::Command2,
          Control::Command3, Control::cmdLaunch, Control::lstShipSets}) {
        window.setEnabled(control, true);
    }
    window.progress().setValue(0);
    window.setLaunchCaption(kLaunchCaption);
    window.setLaunchVisible(true);
    deleteRunBatch(session);
}

void RestoreLastShipSet(Session& session, MainWindowView& window, const std::string& packagePath) {
    window.setEnabled(Control::Command2, false);
    session.loadSettings();
    fs::path shipSetDir(session.settings.shipSetDir);
    fs::path backupFolder = shipSetDir / "Backup";
    fs::path journal = journalPathFor(shipSetDir);
    bool hadJournal = isPresent(journal);
    RestoreOutcome outcome =
        restoreFromRecord(session, window.progress(), journal, packagePath,
                          fs::path(session.settings.gameExePath).parent_path(), backupFolder);
    std::error_code ignored;  // an old version's marker; nothing of the player's
    fs::remove(shipSetDir / "restore.txt", ignored);
    if (!outcome.complete())
        return reportIncomplete(session, window, outcome);
    closeCycle(session, journal, outcome);

    if (!hadJournal && outcome.packageUnreadable) {
        session.prompts.message(
            "Tolvane could not read the ShipSet " + packagePath +
                " and has no record of what it installed.  The files in the backup folder have "
                "been put back; files that the ShipSet added may still be in the game folder.",
            "Restore", Icon::Information);
    } else if (!outcome.leftInPlace.empty()) {
        session.prompts.message(
            "The files in the backup folder have been put back.  Tolvane has no record of which "
            "files the ShipSet added, so these were left in the game folder:" +
                shortList(outcome.leftInPlace),
            "Restore", Icon::Information);
    } else {
        session.prompts.message("All the files have been restored succesfully.", "Success!",
                                Icon::Information);
    }
    window.progress().setValue(0);
    window.setEnabled(Control::lstShipSets, true);
    window.setEnabled(Control::cmdInfo, false);
    window.setEnabled(Control::cmdLaunch, false);
    for (Control control :
         {Control::cmdOptions, Control::Command1, Control::Command2, Control::Command3}) {
        window.setEnabled(control, true);
    }
    window.setLaunchCaption(kLaunchCaption);
    window.setLaunchVisible(true);
    deleteRunBatch(session);
}

}  // namespace tolvane
