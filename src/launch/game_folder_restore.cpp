#include "launch/game_folder_restore.h"

#include <ctime>

#include "game_start/run_batch.h"
#include "packages/gob_package.h"
#include "packages/package_checks.h"
#include "pilots/config_cfg.h"
#include "pilots/pilot_files.h"
#include "platform/case_blind_index.h"
#include "platform/error.h"
#include "platform/file_handles.h"
#include "platform/folder_listing.h"
#include "platform/folder_steps.h"
#include "platform/path_checks.h"
#include "platform/whole_file_steps.h"
#include "platform/working_files.h"
#include "text/checksum.h"
#include "text/name_key.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

// A member's path as the package names it: "\" between folders.
std::string ShownName(const fs::path& relative) {
    return WithBackslashes(Utf8Of(relative));
}

// What a kept-aside pilot's name says of its cycle: the ship set and the moment of the restore.
KeptCycle CycleOf(const fs::path& package) {
    std::time_t now = std::time(nullptr);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H.%M.%S", std::localtime(&now));
    return {Utf8Of(package.stem()), when};
}

// The name the questions use: a pilot's as the package spells it.
std::string NameOf(const JournalMember& member) {
    return member.name.empty() ? ShownName(member.relativePath) : member.name;
}

// How the cycle knows its copies again: a kept pilot's copy by its bytes, an original the cycle
// moved by its size and time.
enum class Known { ByBytes, ByStamp };

// What waits in Backup comes back only while it is the original the cycle took; anything else
// stays where it is, with the game's file, for the player to judge.
void RequireOriginal(const fs::path& backup, const std::string& original, Known known,
                     const std::string& name) {
    if (original.empty())
        return;  // not recorded: a journal of the first version
    if (known == Known::ByBytes ? Checksum(InputFile(backup).readAll()) == original
                                : StillTheFileOf(backup, original))
        return;
    throw Error(DisplayPath(backup) + " is no longer the " + name +
                " that the launch took from the game: it has changed since.  Tolvane has left "
                "it, and the game's " +
                name + ", as they are.");
}

// A game file whose copy is not in Backup comes through the cycle only while it is the original
// the launch would have taken: anything else means the copy went behind the program's back.
void RequireUntaken(const fs::path& game, const std::string& original, const std::string& name,
                    const fs::path& backupFolder) {
    if (original.empty() || StillTheFileOf(game, original))
        return;
    throw Error("The game's own " + name + " is not in the backup folder " +
                DisplayPath(backupFolder) + ", and " + DisplayPath(game) +
                " is not the file the launch found there.  Tolvane has left it as it is.");
}

// A pilot file's bytes still what the install wrote into it: nobody played it.
bool AsInstalled(const std::string& bytes, const std::string& installed) {
    return !installed.empty() && Checksum(bytes) == installed;
}

}  // namespace

template <typename Step>
void GameFolderRestore::attempt(std::vector<std::string>& into, Step step) {
    try {
        step();
    } catch (const Error& error) {
        into.push_back(error.what());
    }
}

RestoreReport GameFolderRestore::fromJournal(const fs::path& journalPath,
                                             const LaunchJournal& journal) {
    report_.fromJournal = true;
    keptAside_ = {KeptPilotsFolderIn(journal.backupFolder.parent_path()), CycleOf(journal.package)};
    // A journal of the first version recorded no line when it could have: "Last Pilot" tells.
    report_.pilotFromSetting =
        journal.pilotSwitched && !journal.configFirstLine && journal.firstVersion;
    attempt([&] {
        if (IsLink(journal.backupFolder))
            throw LinkNotFollowed(journal.backupFolder);
    });
    if (!report_.complete())
        return report_;
    std::optional<JournalWriter> writer;
    attempt([&] {
        writer.emplace(JournalWriter::resume(journalPath));
        if (std::find(journal.temporaryPrefixes.begin(), journal.temporaryPrefixes.end(),
                      TemporaryPrefix()) == journal.temporaryPrefixes.end())
            writer->noteTemporariesOfThisRun();
    });
    if (!writer)
        return report_;
    startProgress(journal.members.size());
    for (const JournalMember& member : journal.members) {
        progress_.advance();
        if (!journal.settledMembers.contains(member.number))
            attempt([&] { restoreMember(journal, member, *writer); });
    }
    if (!journal.executableName.empty()) {
        attempt([&] {
            fs::path backup = WithoutLinks(journal.backupFolder, journal.executableName);
            fs::path game = WithoutLinks(journal.gameFolder, journal.executableName);
            if (!IsPresent(backup)) {
                if (IsPresent(game))
                    RequireUntaken(game, journal.executableOriginal, "XWINGALLIANCE.EXE",
                                   journal.backupFolder);
                return;
            }
            RequireOriginal(backup, journal.executableOriginal, Known::ByStamp,
                            "XWINGALLIANCE.EXE");
            moveBack(backup, game);
        });
    }
    if (journal.configFirstLine)
        attempt([&] { restoreConfigLine(journal); });
    progress_.advanceWithinMaximum();
    removeTemporaries(journal);
    removeRunBatch(journal);
    progress_.advanceWithinMaximum();
    // The moves out of Backup reach the disk before the folders they left are removed, and every
    // change before the journal is closed.
    flushChangedFolders();
    removeOwnFolders(journal);
    progress_.advanceWithinMaximum();
    flushChangedFolders();
    if (report_.complete() && !journal.closed)
        attempt([&] { writer->close(); });
    return report_;
}

// Each member's state comes from the disk: its backup there means the game's file went to the
// backup folder; an added file there means the install (or part of it) wrote it.
void GameFolderRestore::restoreMember(const LaunchJournal& journal, const JournalMember& member,
                                      JournalWriter& writer) {
    fs::path game = WithoutLinks(journal.gameFolder, member.relativePath);
    switch (member.change) {
        case MemberChange::Replaced:
        case MemberChange::Kept: {
            fs::path backup = WithoutLinks(journal.backupFolder, member.relativePath);
            if (IsPresent(backup)) {
                RequireOriginal(
                    backup, member.original,
                    member.change == MemberChange::Kept ? Known::ByBytes : Known::ByStamp,
                    NameOf(member));
                restoreReplaced(NameOf(member), backup, game,
                                member.change == MemberChange::Kept ? Copy::OfAFileThatStayed
                                                                    : Copy::TheOriginal,
                                member.installed);
            } else if (!IsPresent(game)) {
                throw Error("The game's own " + ShownName(member.relativePath) +
                            " is neither in the backup folder " +
                            DisplayPath(journal.backupFolder) + " nor in the game folder " +
                            DisplayPath(journal.gameFolder) + ".");
            } else if (member.change == MemberChange::Replaced && !IsPilotFile(game)) {
                // No copy to put back: the game's file must be the original itself, never taken
                // (a played pilot that the player kept is the one file that may differ).
                RequireUntaken(game, member.original, ShownName(member.relativePath),
                               journal.backupFolder);
            }
            return;
        }
        case MemberChange::Added:
            if (!IsPresent(game))
                return;
            if (IsPilotFile(game)) {
                std::string played = InputFile(game).readAll();  // a pilot: small
                if (!AsInstalled(played, member.installed) && keepPilot(NameOf(member))) {
                    try {
                        writer.noteMemberRestored(member.number);  // not asked again on a retry
                        report_.keptPlayed.push_back(Checksum(played));
                    } catch (const Error&) {
                        // Only saves asking again and the wording of a later question; the file
                        // itself is where the player wants it.
                    }
                    return;
                }
            }
            DeleteFileIfPresent(game);
            changedFolders_.insert(game.parent_path());
            return;
        case MemberChange::Repeated:
            return;  // the member first in its file puts that file back
    }
}

// The game's pilot line comes back as it was before the launch, byte for byte, whatever was
// chosen since; into the file config.cfg led to then, and only while it still does.
void GameFolderRestore::restoreConfigLine(const LaunchJournal& journal) {
    fs::path config = ConfigPath(journal.gameFolder);
    std::optional<fs::path> linkNow;
    if (IsLink(config))
        linkNow = ReadLink(config);
    if (!journal.firstVersion && linkNow != journal.configLink) {
        auto what = [](const std::optional<fs::path>& link) {
            return link ? "a link to " + DisplayPath(*link) : std::string("no link");
        };
        throw Error(DisplayPath(config) + " was " + what(journal.configLink) +
                    " at the launch and is " + what(linkNow) +
                    " now.  Tolvane has touched neither it nor where it leads.");
    }
    if (!IsPresent(config))
        return;  // nothing of ours to put the line into
    const std::string& line = *journal.configFirstLine;
    std::string text = InputFile(config).readAll();
    std::string restored =
        journal.firstVersion ? WithFirstLine(text, line) : WithFirstLineAndEnd(text, line);
    if (restored != text)
        WriteConfig(config, restored);
}

// Only the folders this cycle made go, innermost first, and only when empty.
void GameFolderRestore::removeOwnFolders(const LaunchJournal& journal) {
    auto removeAll = [&](const fs::path& base, const std::vector<fs::path>& folders) {
        for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
            attempt(report_.leftovers, [&] {
                if (RemoveFolderIfEmpty(WithoutLinks(base, *folder)))
                    changedFolders_.insert((base / *folder).parent_path());
            });
        }
    };
    removeAll(journal.gameFolder, journal.createdFolders);
    removeAll(journal.backupFolder, journal.createdBackupFolders);
    if (journal.madeBackupFolder) {
        attempt(report_.leftovers, [&] {
            if (RemoveFolderIfEmpty(journal.backupFolder))
                changedFolders_.insert(journal.backupFolder.parent_path());
        });
    }
}

// The working files that runs which died on this cycle left beside the files they wrote: in the
// game folder and Backup (never through a link), the program's folders, and the folder of the
// file a config.cfg link led to at the launch, which the pilot switch replaces.
void GameFolderRestore::removeTemporaries(const LaunchJournal& journal) {
    std::set<fs::path> folders = {journal.gameFolder, journal.backupFolder};
    for (const JournalMember& member : journal.members) {
        for (const fs::path& base : {journal.gameFolder, journal.backupFolder}) {
            try {
                folders.insert(WithoutLinks(base, member.relativePath.parent_path()));
            } catch (const Error&) {
                // A folder that became a link leads elsewhere: nothing there is this cycle's.
            }
        }
    }
    for (const fs::path& folder : RunBatchPlaces(folders_, RunBatchPlace::BesideProgram))
        folders.insert(folder.parent_path());
    if (journal.configLink)
        folders.insert((journal.gameFolder / *journal.configLink).parent_path());
    for (const fs::path& folder : folders) {
        TemporarySweep sweep = RemoveTemporaries(folder, journal.temporaryPrefixes);
        if (sweep.removedAny)
            changedFolders_.insert(folder);
        if (!sweep.allGone)
            report_.leftovers.push_back("working files of Tolvane in " + DisplayPath(folder));
    }
}

// RunXWA.bat goes with the cycle that wrote it, before the cycle is closed.
void GameFolderRestore::removeRunBatch(const LaunchJournal& journal) {
    for (const fs::path& batch : RunBatchPlaces(folders_, RunBatchPlaceOf(journal))) {
        if (!IsPresent(batch))
            continue;
        if (RemoveOwnFile(batch)) {
            changedFolders_.insert(batch.parent_path());
        } else {
            report_.leftovers.push_back(DisplayPath(batch));
            report_.runBatchLeft = true;
        }
    }
}

RestoreReport GameFolderRestore::fromPackage(const fs::path& packagePath,
                                             const fs::path& gameFolder,
                                             const fs::path& backupFolder) {
    report_.pilotFromSetting = true;
    keptAside_ = {KeptPilotsFolderIn(backupFolder.parent_path()), CycleOf(packagePath)};
    attempt([&] {
        if (IsLink(backupFolder))
            throw LinkNotFollowed(backupFolder);
    });
    if (!report_.complete())
        return report_;
    std::vector<std::string> names;
    try {
        GobPackage package(packagePath);
        for (const GobMember& member : package.members()) {
            if (!NameFault(member.name))
                names.push_back(InstalledName(member));
        }
    } catch (const Error&) {
        report_.packageUnreadable = true;  // told with what could not be accounted for
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
            // Both must be reached without a link, whatever the index found.
            WithoutLinks(gameFolder, game.lexically_relative(gameFolder));
            WithoutLinks(backupFolder, backup.lexically_relative(backupFolder));
            if (IsPresent(backup))
                restoreReplaced(DisplayName(name), backup, game, Copy::TheOriginal);
            else if (IsPresent(game))
                report_.unaccounted.push_back(DisplayPath(game));
        });
    }
    attempt([&] {
        const FolderEntry* executable = index.folder(backupFolder).find(kGameExecutableKey);
        if (executable != nullptr)
            moveBack(WithoutLinks(backupFolder, executable->name),
                     WithoutLinks(gameFolder, executable->name));
    });
    if (report_.packageUnreadable)
        putBackEverything(backupFolder, gameFolder);
    flushChangedFolders();  // the moves out of Backup, before its folders go
    RemoveEmptyFolders(backupFolder);
    changedFolders_.insert(backupFolder);
    changedFolders_.insert(backupFolder.parent_path());
    flushChangedFolders();
    return report_;
}

void GameFolderRestore::startProgress(std::size_t members) {
    progress_.setValue(0);
    progress_.setMaximum(static_cast<int>(members));
}

// A file the launch replaced (or a pilot the player kept): the played copy stays if the player
// keeps the pilot, else the copy from before the launch goes back over it. A pilot gone from the
// game folder during play gets its copy back unasked. Of a pilot whose two versions differ, the
// one not chosen is kept aside, never deleted.
void GameFolderRestore::restoreReplaced(const std::string& name, const fs::path& backup,
                                        const fs::path& game, Copy copy,
                                        const std::string& installed) {
    if (!IsPilotFile(game) || !IsPresent(game)) {
        moveBack(backup, game);
        return;
    }
    std::string playedBytes = InputFile(game).readAll();  // a pilot: small
    bool played = playedBytes != InputFile(backup).readAll();
    // A file nobody played has nothing to keep: asking could only leave the ship set's behind.
    if (!played || AsInstalled(playedBytes, installed)) {
        moveBack(backup, game);
        return;
    }
    if (!keepPilot(name)) {
        if (played && copy == Copy::OfAFileThatStayed)
            keepAside(game, "played");
        moveBack(backup, game);
    } else if (played || copy == Copy::TheOriginal) {
        keepAside(backup, "before");
        report_.keptPlayed.push_back(Checksum(playedBytes));
    } else {
        DeleteFileIfPresent(backup);  // the same bytes stay in the game folder
        changedFolders_.insert(backup.parent_path());
    }
}

// Moves a version of a pilot that the player did not choose into a folder of its own beside the
// ship sets, under a name that says which version and which cycle, no other file has, and the
// host can make; never through a link, never over a file.
void GameFolderRestore::keepAside(const fs::path& pilot, const std::string& version) {
    fs::path folder = keptAside_.folder;
    if (IsLink(folder))
        throw LinkNotFollowed(folder);
    if (!IsPresent(folder)) {
        MakeFolders(folder);
        SyncFolder(folder.parent_path());  // the folder outlives a power cut before it is used
    }
    fs::path kept = KeptPilotPath(folder, pilot.filename(), version, keptAside_.cycle);
    MoveWithoutReplacing(pilot, kept);
    changedFolders_.insert(pilot.parent_path());
    changedFolders_.insert(folder);
    report_.keptAside.push_back(Utf8Of(kept.filename()));
    report_.keptAsideFolder = folder;
}

void GameFolderRestore::moveBack(const fs::path& backup, const fs::path& game) {
    MoveFileOnto(backup, game);
    changedFolders_.insert(backup.parent_path());
    changedFolders_.insert(game.parent_path());
}

// Every rename and removal of the restore reaches the disk before the cycle may be closed: after
// a power cut, no original is left in Backup with no journal to offer the restore.
void GameFolderRestore::flushChangedFolders() {
    for (const fs::path& folder : changedFolders_) {
        attempt([&] {
            if (IsPresent(folder))
                SyncFolder(folder);
        });
    }
    changedFolders_.clear();
}

bool GameFolderRestore::keepPilot(const std::string& name) {
    return prompts_.question("Would you like to keep " + name + "?", "Keep Pilot?",
                             Icon::Information, Answer::Yes) == Answer::Yes;
}

// Every ordinary file in the backup folder goes back to the same place below the game folder.
void GameFolderRestore::putBackEverything(const fs::path& backupFolder,
                                          const fs::path& gameFolder) {
    std::vector<fs::path> files;
    attempt([&] { files = ListFilesBelow(backupFolder); });
    for (const fs::path& file : files) {
        attempt([&] {
            fs::path game = WithoutLinks(gameFolder, file.lexically_relative(backupFolder));
            MakeFolders(game.parent_path());
            moveBack(file, game);
        });
    }
}

}  // namespace tolvane
