#include "launch/restore.h"

#include <set>
#include <vector>

#include "launch/launch_file_list.h"
#include "launch/launch_journal.h"
#include "packages/gob_package.h"
#include "packages/package_folders.h"
#include "packages/package_validator.h"
#include "pilots/pilot_files.h"
#include "pilots/pilot_switch.h"
#include "pilots/run_batch.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/folder_lookup.h"
#include "platform/text.h"

namespace tolvane {
namespace {

struct RestoreReport {
    std::vector<std::string> notPutBack;   // why each file that is still out of place is
    std::vector<std::string> leftInPlace;  // files with no record of being added
    bool packageUnreadable = false;
    // Whether the game's pilot was switched for this cycle, so that it must be set back.
    bool pilotSwitched = true;
    bool complete() const { return notPutBack.empty(); }
};

std::string ShownName(const fs::path& relative) {
    std::string name = relative.generic_string();
    for (char& c : name) {
        if (c == '/')
            c = '\\';
    }
    return name;
}

// Puts the game folder back, one file at a time, so that running it again after a failure or a
// crash continues where it stopped.
class GameFolderRestore {
  public:
    GameFolderRestore(Prompts& prompts, Progress& progress)
        : prompts_(prompts), progress_(progress) {}

    RestoreReport fromJournal(const fs::path& journalPath) {
        LaunchJournal journal = ReadJournal(journalPath);
        report_.pilotSwitched = journal.pilotSwitched;
        JournalWriter writer = JournalWriter::resume(journalPath);
        startProgress(journal.members.size());
        for (const JournalMember& member : journal.members) {
            progress_.advance();
            if (journal.restoredMembers.contains(member.number))
                continue;
            fs::path game = journal.gameFolder / member.relativePath;
            fs::path backup = journal.backupFolder / member.relativePath;
            bool done = true;
            if (member.change == MemberChange::Replaced && IsPresent(backup)) {
                done = restoreReplaced(ShownName(member.relativePath), backup, game);
            } else if (member.change == MemberChange::Added && IsPresent(game)) {
                done = (IsPilotFile(game) && keepPilot(ShownName(member.relativePath))) ||
                       attempt([&] { DeleteFileIfPresent(game); });
            }
            if (done)
                markRestored(writer, member.number);
            RemoveFolderIfEmpty(backup.parent_path());
        }
        if (!journal.executableName.empty()) {
            fs::path backup = journal.backupFolder / journal.executableName;
            if (IsPresent(backup))
                putBack(backup, journal.gameFolder / journal.executableName);
        }
        progress_.advanceWithinMaximum();
        for (auto folder = journal.createdFolders.rbegin(); folder != journal.createdFolders.rend();
             ++folder) {
            RemoveFolderIfEmpty(journal.gameFolder / *folder);
        }
        progress_.advanceWithinMaximum();
        RemoveEmptyFolders(journal.backupFolder);
        progress_.advanceWithinMaximum();
        if (report_.complete())
            attempt([&] { writer.closed(); });
        return report_;
    }

    // Without a journal: the package names the members, and a member's backup copy is the only
    // sign that it replaced a game file. A file without one may be the game's own, so it stays.
    RestoreReport fromPackage(const fs::path& packagePath, const fs::path& gameFolder,
                              const fs::path& backupFolder) {
        std::vector<std::string> names;
        if (std::optional<GobPackage> package = TryOpenPackage(packagePath)) {
            for (const GobMember& member : package->members()) {
                std::string name = InstalledName(member);
                if (!NameFault(name))
                    names.push_back(name);
            }
        } else {
            report_.packageUnreadable = true;
        }
        startProgress(names.size());
        std::set<std::string> seen;
        for (const std::string& name : names) {
            progress_.advance();
            if (!seen.insert(UpperAscii(name)).second)
                continue;
            std::vector<std::string> components = NameComponents(name);
            fs::path game = ResolveIgnoringCase(gameFolder, components);
            fs::path backup = ResolveIgnoringCase(backupFolder, components);
            if (IsPresent(backup)) {
                restoreReplaced(DisplayName(name), backup, game);
                RemoveFolderIfEmpty(backup.parent_path());
            } else if (IsPresent(game)) {
                report_.leftInPlace.push_back(game.string());
            }
        }
        LaunchFileList files;
        if (files.setFolder(backupFolder)) {
            files.setPattern(kExecutablePattern);
            std::string executable = files.item(0);
            if (!executable.empty())
                putBack(backupFolder / executable, gameFolder / executable);
        }
        if (report_.packageUnreadable)
            putBackEverything(backupFolder, gameFolder);
        RemovePackageFolders(packagePath, gameFolder);
        RemovePackageFolders(packagePath, backupFolder);
        RemoveEmptyFolders(backupFolder);
        return report_;
    }

  private:
    void startProgress(std::size_t members) {
        progress_.setValue(0);
        progress_.setMaximum(static_cast<int>(members));
    }

    // A file the launch replaced: the played copy stays if the player keeps a pilot, else the
    // backup goes back over it.
    bool restoreReplaced(const std::string& name, const fs::path& backup, const fs::path& game) {
        if (IsPilotFile(game) && keepPilot(name))
            return attempt([&] { DeleteFileIfPresent(backup); });
        return putBack(backup, game);
    }

    bool keepPilot(const std::string& name) {
        return prompts_.question("Would you like to keep " + name + "?", "Keep Pilot?",
                                 Icon::Information, Answer::Yes) == Answer::Yes;
    }

    bool putBack(const fs::path& backup, const fs::path& game) {
        return attempt([&] { MoveFileOnto(backup, game); });
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
                MoveFileOnto(file, game);
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
            report_.notPutBack.push_back(error.what());
        } catch (const fs::filesystem_error& error) {
            report_.notPutBack.push_back(error.what());
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
    RestoreReport report_;
};

std::string ShortList(const std::vector<std::string>& lines) {
    constexpr std::size_t kShown = 8;
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i)
        text += "\r" + lines[i];
    if (lines.size() > kShown)
        text += "\r... and " + std::to_string(lines.size() - kShown) + " more.";
    return text;
}

void ReportIncomplete(Session& session, const RestoreReport& report) {
    session.prompts.message(
        "Tolvane could not put every file back; their backups are kept in the backup folder." +
            ShortList(report.notPutBack) +
            "\r\rClose the game and any program that may be using these files, then press "
            "\"Click here to restore files\" to try again.",
        "Restore Incomplete", Icon::Exclamation);
}

// Marks the cycle closed and gives the game its previous pilot back, if it was switched.
void CloseCycle(Session& session, const fs::path& journal, const RestoreReport& report) {
    session.saveSetting(kLastShipSetKey, kNoShipSet);
    std::error_code ignored;  // a leftover closed journal is removed by the next launch
    fs::remove(journal, ignored);
    if (!report.pilotSwitched)
        return;
    try {
        SetLastPilot(session, session.setting(kLastPilotKey), false);
    } catch (const Error& error) {
        session.prompts.message(
            std::string(error.what()) + "\r\rThe game will start with the pilot it has now.",
            "Pilot Not Restored", Icon::Exclamation);
    }
}

RestoreReport RestoreFromRecord(Session& session, Progress& progress, const fs::path& journal,
                                const fs::path& package) {
    const Settings& settings = session.settings;
    if (IsPresent(journal)) {
        try {
            return GameFolderRestore(session.prompts, progress).fromJournal(journal);
        } catch (const Error&) {
            // Unreadable journal: fall back to what the package and the backups tell.
        }
    }
    return GameFolderRestore(session.prompts, progress)
        .fromPackage(package, GameFolderOf(settings), BackupFolderOf(settings));
}

}  // namespace

RestoreOutcome RestoreAfterPlay(Session& session, Progress& progress, const LaunchRecord& record) {
    RestoreReport report = RestoreFromRecord(session, progress, record.journal, record.package);
    if (!report.complete()) {
        ReportIncomplete(session, report);
        return RestoreOutcome::RestoredInPart;
    }
    CloseCycle(session, record.journal, report);
    DeleteRunBatch(session);
    return RestoreOutcome::Restored;
}

RestoreOutcome RestoreLastShipSet(Session& session, Progress& progress, const fs::path& package) {
    session.loadSettings();
    fs::path shipSetDir(session.settings.shipSetDir);
    fs::path journal = JournalPathFor(shipSetDir);
    bool hadJournal = IsPresent(journal);
    RestoreReport report = RestoreFromRecord(session, progress, journal, package);
    std::error_code ignored;  // an old version's marker; nothing of the player's
    fs::remove(shipSetDir / "restore.txt", ignored);
    if (!report.complete()) {
        ReportIncomplete(session, report);
        return RestoreOutcome::RestoredInPart;
    }
    CloseCycle(session, journal, report);

    if (!hadJournal && report.packageUnreadable) {
        session.prompts.message(
            "Tolvane could not read the ShipSet " + package.string() +
                " and has no record of what it installed.  The files in the backup folder have "
                "been put back; files that the ShipSet added may still be in the game folder.",
            "Restore", Icon::Information);
    } else if (!report.leftInPlace.empty()) {
        session.prompts.message(
            "The files in the backup folder have been put back.  Tolvane has no record of which "
            "files the ShipSet added, so these were left in the game folder:" +
                ShortList(report.leftInPlace),
            "Restore", Icon::Information);
    } else {
        session.prompts.message("All the files have been restored succesfully.", "Success!",
                                Icon::Information);
    }
    DeleteRunBatch(session);
    return RestoreOutcome::Restored;
}

}  // namespace tolvane
