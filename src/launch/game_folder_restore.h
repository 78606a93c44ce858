#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "launch/kept_pilots.h"
#include "launch/launch_journal.h"
#include "session/program_folders.h"
#include "session/progress.h"
#include "session/prompts.h"
#include "text/fs_alias.h"

namespace tolvane {

// What a restore did, for the one message that tells the player.
struct RestoreReport {
    std::vector<std::string> notPutBack;   // why each file that is still out of place is
    std::vector<std::string> leftovers;    // things of ours that hold nothing and could not go
    bool runBatchLeft = false;             // a RunXWA.bat that only the journal says is ours stays
    std::vector<std::string> unaccounted;  // without a journal: files that may be the ship set's
    std::optional<std::string> refusedJournal;  // a journal nothing was done from, and why
    bool fromJournal = false;
    bool packageUnreadable = false;
    // "Last Pilot" names the pilot to put back: without a journal, or with one of the first
    // version, which recorded no config.cfg line.
    bool pilotFromSetting = false;
    // The versions of pilots that the player did not choose, moved into this folder.
    std::vector<std::string> keptAside;
    fs::path keptAsideFolder;
    // The checksums of the played pilots that the player kept in the game folder.
    std::vector<std::string> keptPlayed;
    bool complete() const { return notPutBack.empty() && !refusedJournal; }
};

// Puts the game folder back, one file at a time, so that running it again after a failure or a
// crash continues where it stopped. Every path it acts on lies inside the game folder or the
// backup folder with no link on the way.
class GameFolderRestore {
  public:
    // `folders` are the program's own, where RunXWA.bat and its working files may lie.
    GameFolderRestore(Prompts& prompts, Progress& progress, const ProgramFolders& folders)
        : prompts_(prompts), progress_(progress), folders_(folders) {}

    // From the journal: every change is known, so exactly the install's own files and folders go.
    RestoreReport fromJournal(const fs::path& journalPath, const LaunchJournal& journal);

    // Without a journal: the package names the members, and a member's backup copy is the only
    // sign that it replaced a game file. A file without one may be the game's own, so it stays
    // and is named; no folder of the game is removed, since any of them may be the game's.
    RestoreReport fromPackage(const fs::path& packagePath, const fs::path& gameFolder,
                              const fs::path& backupFolder);

  private:
    void restoreMember(const LaunchJournal& journal, const JournalMember& member,
                       JournalWriter& writer);
    void restoreConfigLine(const LaunchJournal& journal);
    void removeOwnFolders(const LaunchJournal& journal);
    void removeTemporaries(const LaunchJournal& journal);
    void removeRunBatch(const LaunchJournal& journal);
    // What a copy in Backup is: the game's original, or a copy of a pilot that stayed in place.
    enum class Copy { TheOriginal, OfAFileThatStayed };
    void restoreReplaced(const std::string& name, const fs::path& backup, const fs::path& game,
                         Copy copy, const std::string& installed = {});
    void keepAside(const fs::path& pilot, const std::string& version);
    void moveBack(const fs::path& backup, const fs::path& game);
    void flushChangedFolders();
    bool keepPilot(const std::string& name);
    void putBackEverything(const fs::path& backupFolder, const fs::path& gameFolder);
    void startProgress(std::size_t members);

    // Runs one step; a failure is remembered in `into` for the player and the restore goes on.
    template <typename Step>
    void attempt(std::vector<std::string>& into, Step step);
    template <typename Step>
    void attempt(Step step) {
        attempt(report_.notPutBack, step);
    }

    Prompts& prompts_;
    Progress& progress_;
    const ProgramFolders& folders_;
    RestoreReport report_;
    struct {
        fs::path folder;
        KeptCycle cycle;  // what each kept file's name says of the cycle
    } keptAside_;
    std::set<fs::path> changedFolders_;  // whose entries the restore renamed or removed
};

}  // namespace tolvane
