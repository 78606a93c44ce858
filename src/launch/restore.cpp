#include "launch/restore.h"

#include <set>
#include <vector>

#include "launch/launch_journal.h"
#include "packages/gob_package.h"
#include "packages/package_checks.h"
#include "packages/package_folders.h"
#include "packages/package_validator.h"
#include "pilots/pilot_files.h"
#include "pilots/pilot_switch.h"
#include "pilots/run_batch.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/file_moves.h"
#include "platform/file_system.h"
#include "platform/folder_index.h"
#include "platform/path_text.h"

namespace tolvane {
namespace {

struct RestoreReport {
    std::vector<std::string> notPutBack;   // why each file that is still out of place is
    std::vector<std::string> leftInPlace;  // files with no record of being added
    bool fromJournal = false;
    bool packageUnreadable = false;
    // Whether the game's pilot was switched for this cycle, so that it must be set back. Only a
    // journal can tell: the pilot loader notes the switch in it before making it.
    bool pilotSwitched = false;
    bool complete() const { return notPutBack.empty(); }
};

// A member's path as the package names it: "\" between folders.
std::string ShownName(const fs::path& relative) {
    std::u8string generic = relative.generic_u8string();
    std::string name(generic.begin(), generic.end());
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

    RestoreReport fromJournal(const fs::path& journalPath, const LaunchJournal& journal) {
        report_.fromJournal = true;
        report_.pilotSwitched = journal.pilotSwitched;
        std::optional<JournalWriter> writer;
        attempt([&] { writer.emplace(JournalWriter::resume(journalPath)); });
        if (!writer)
            return report_;
        startProgress(journal.members.size());
        for (const JournalMember& member : journal.members) {
            progress_.advance();
            if (!journal.settledMembers.contains(member.number))
                attempt([&] { restoreMember(journal, member, *writer); });
        }
        if (!journal.executableName.empty()) {
            fs::path backup = journal.backupFolder / journal.executableName;
            attempt([&] {
                if (IsPresent(backup))
                    MoveFileOnto(backup, journal.gameFolder / journal.executableName);
            });
        }
        progress_.advanceWithinMaximum();
        for (auto folder = journal.createdFolders.rbegin(); folder != journal.createdFolders.rend();
             ++folder) {
            attempt([&] { RemoveFolderIfEmpty(journal.gameFolder / *folder); });
        }
        progress_.advanceWithinMaximum();
        RemoveLeftoverTemporaries(journal.gameFolder);
        RemoveLeftoverTemporaries(journal.backupFolder);
        RemoveEmptyFolders(journal.backupFolder);
        progress_.advanceWithinMaximum();
        if (report_.complete())
            attempt([&] { writer->closed(); });
        return report_;
    }

    // Without a journal: the package names the members, and a member's backup copy is the only
    // sign that it replaced a game file. A file without one may be the game's own, so it stays.
    RestoreReport fromPackage(const fs::path& packagePath, const fs::path& gameFolder,
                              const fs::path& backupFolder) {
        std::vector<std::string> names;
        if (std::optional<GobPackage> package = TryOpenPackage(packagePath)) {
            for (const GobMember& member : package->members()) {
                if (!NameFault(member.name))
                    names.push_back(InstalledName(member));
            }
        } else {
            report_.packageUnreadable = true;
        }
        startProgress(names.size());
        std::set<std::string> seen;
        TreeIndex index;
        for (const std::string& name : names) {
            progress_.advance();
            if (!seen.insert(MemberKey(name)).second)
                continue;
            attempt([&] {
                std::vector<fs::path> components = NameComponents(name);
                fs::path game = index.resolve(gameFolder, components);
                fs::path backup = index.resolve(backupFolder, components);
                if (IsPresent(backup))
                    restoreReplaced(DisplayName(name), backup, game);
                else if (IsPresent(game))
                    report_.leftInPlace.push_back(DisplayPath(game));
            });
        }
        attempt([&] {
            const FolderEntry* executable = index.folder(backupFolder).find(kGameExecutableKey);
            if (executable != nullptr)
                MoveFileOnto(backupFolder / executable->name, gameFolder / executable->name);
        });
        if (report_.packageUnreadable)
            putBackEverything(backupFolder, gameFolder);
        RemovePackageFolders(packagePath, gameFolder);
        RemovePackageFolders(packagePath, backupFolder);
        RemoveLeftoverTemporaries(gameFolder);
        RemoveLeftoverTemporaries(backupFolder);
        RemoveEmptyFolders(backupFolder);
        return report_;
    }

  private:
    // Each member's state comes from the disk: its backup there means the game's file went to
    // the backup folder; an added file there means the install (or part of it) wrote it.
    void restoreMember(const LaunchJournal& journal, const JournalMember& member,
                       JournalWriter& writer) {
        fs::path game = journal.gameFolder / member.relativePath;
        if (member.change == MemberChange::Replaced) {
            fs::path backup = journal.backupFolder / member.relativePath;
            if (IsPresent(backup))
                restoreReplaced(ShownName(member.relativePath), backup, game);
        } else if (member.change == MemberChange::Added && IsPresent(game)) {
            if (!IsPilotFile(game) || !keepPilot(ShownName(member.relativePath)))
                DeleteFileIfPresent(game);
            else
                MarkRestored(writer, member.number);  // kept: not asked again on a retry
        }
    }

    void startProgress(std::size_t members) {
        progress_.setValue(0);
        progress_.setMaximum(static_cast<int>(members));
    }

    // A file the launch replaced: the played copy stays if the player keeps a pilot, else the
    // backup goes back over it.
    void restoreReplaced(const std::string& name, const fs::path& backup, const fs::path& game) {
        if (IsPilotFile(game) && keepPilot(name))
            DeleteFileIfPresent(backup);
        else
            MoveFileOnto(backup, game);
    }

    bool keepPilot(const std::string& name) {
        return prompts_.question("Would you like to keep " + name + "?", "Keep Pilot?",
                                 Icon::Information, Answer::Yes) == Answer::Yes;
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
                MakeFolders(game.parent_path());
                MoveFileOnto(file, game);
            });
        }
    }

    // Runs one file step; a failure is remembered for the player and the restore goes on.
    template <typename Step>
    void attempt(Step step) {
        try {
            step();
        } catch (const Error& error) {
            report_.notPutBack.push_back(error.what());
        } catch (const fs::filesystem_error& error) {
            report_.notPutBack.push_back(error.what());
        }
    }

    static void MarkRestored(JournalWriter& writer, int number) {
        try {
            writer.memberRestored(number);
        } catch (const Error&) {
            // Only saves asking again; the file itself is where the player wants it.
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
    RemoveOwnFile(journal);  // a leftover closed journal is removed by the next launch
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
    GameFolderRestore restore(session.prompts, progress);
    try {
        if (IsPresent(journal))
            return restore.fromJournal(journal, ReadJournal(journal));
    } catch (const DamagedJournal&) {
        // Cut off before its header or damaged: the package and the backups tell the rest.
    } catch (const Error& error) {
        // The journal is there but cannot be read now: restoring without it could leave added
        // files behind, so the cycle stays open for another try.
        RestoreReport unread;
        unread.notPutBack.push_back(error.what());
        return unread;
    }
    return restore.fromPackage(package, GameFolderOf(settings), BackupFolderOf(settings));
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
    fs::path shipSetDir = ShipSetFolderOf(session.settings);
    fs::path journal = JournalPathFor(shipSetDir);
    RestoreReport report = RestoreFromRecord(session, progress, journal, package);
    RemoveOwnFile(shipSetDir / "restore.txt");  // an old version's marker; nothing of the player's
    if (!report.complete()) {
        ReportIncomplete(session, report);
        return RestoreOutcome::RestoredInPart;
    }
    CloseCycle(session, journal, report);

    if (!report.fromJournal && report.packageUnreadable) {
        session.prompts.message(
            "Tolvane could not read the ShipSet " + DisplayPath(package) +
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
