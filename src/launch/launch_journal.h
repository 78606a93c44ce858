#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game_start/run_batch.h"
#include "platform/error.h"
#include "platform/file_handles.h"
#include "text/fs_alias.h"

namespace tolvane {

// What the install does with one member, settled before it changes anything.
enum class MemberChange {
    Replaced,  // the game has the file; its own copy goes to the backup folder first
    Added,     // the game has no such file
    Repeated,  // a later member that reaches the same file: it overwrites the first one's only
    Kept,      // a pilot file the player chose to keep: not installed; a copy waits in Backup
};

struct JournalMember {
    int number = 0;
    MemberChange change = MemberChange::Added;
    fs::path relativePath;  // below the game folder, spelled as on disk; the same below Backup
    // What the game's original was when the cycle took it (FileStamp; for a kept pilot, the
    // checksum of its bytes), so that only that comes back; empty when not recorded.
    std::string original{};
    std::string name{};  // a pilot file's name as the package spells it, for the questions
    // A pilot file's: the checksum of the bytes the install leaves in it (the last member that
    // reaches it), so that a file nobody played goes back unasked; empty when not recorded.
    std::string installed{};
};

// The on-disk record of one launch cycle: the whole plan of the install, flushed once before the
// first change, then what a restore has put back. It is a file of lines that is only ever
// appended to, each line carrying a checksum of itself and of the line before it, so that a line
// edited, moved or left out is found. A restore reads each member's real state from the disk (is
// its backup there? is the file there?), so the install itself writes nothing more per member,
// whatever moment the program dies at.
struct LaunchJournal {
    fs::path package{};
    fs::path gameFolder{};
    fs::path backupFolder{};
    fs::path executableName{};               // spelled as on disk; it is backed up and patched
    std::string executableOriginal{};        // its FileStamp before the launch, if recorded
    std::vector<fs::path> createdFolders{};  // below the game folder, outermost first
    bool madeBackupFolder = false;           // the backup folder was not there before the launch
    std::vector<fs::path> createdBackupFolders{};  // below the backup folder, outermost first
    std::vector<JournalMember> members{};
    // config.cfg's first line as it was before the launch, byte for byte with its line end, if
    // there was a config.cfg; a journal of the first version kept it without its end.
    std::optional<std::string> configFirstLine{};
    // Written by the first version: no checksums, no record of config.cfg's link or originals.
    bool firstVersion = false;
    // Where config.cfg led when it was a link at the launch.
    std::optional<fs::path> configLink{};
    // The name prefixes of the working files of every run that worked on this cycle.
    std::vector<std::string> temporaryPrefixes{};
    std::set<int> settledMembers{};  // nothing is left to put back for these
    bool pilotSwitched = false;      // the pilot loader saved the game's pilot in "Last Pilot"
    // The program's folder held no RunXWA.bat at the launch, so the one there is this cycle's.
    bool runBatchBesideProgram = false;
    bool closed = false;  // every file is back; only the settings remain to be written
};

// Where the cycle's game starts write RunXWA.bat.
inline RunBatchPlace RunBatchPlaceOf(const LaunchJournal& journal) {
    return journal.runBatchBesideProgram ? RunBatchPlace::BesideProgram : RunBatchPlace::DataFolder;
}

// The journal's place: beside the backup folder in the ship set directory.
fs::path JournalPathFor(const fs::path& shipSetDir);

// A journal cut off before its first line was whole, so before any change.
struct UnfinishedJournal : Error {
    using Error::Error;
};

// Clears the way of a journal that threw UnfinishedJournal: an empty file is removed, anything
// else moved aside, beside where it was, under a name no file there has. Returns what to tell the
// player of a file moved. Throws Error naming the file when it stays.
std::optional<std::string> PutAsideUnwrittenJournal(const fs::path& path);
inline constexpr const char* kUnwrittenJournalTitle = "Launch Journal";

// A journal with lines that this program did not write or that reach outside its folders. Its
// text names every refused line; nothing it says may be acted on.
struct DamagedJournal : Error {
    using Error::Error;
};

// The two folders a journal may act in, as the settings name them now.
struct JournalFolders {
    fs::path game;
    fs::path backup;
};

// Reads a journal; a line cut short by a crash is ignored. Every line must carry its checksum,
// every path lie inside `folders` (no absolute form, no ".."), the "game" and "backup" lines name
// those folders, a line of a kind that appears once appear once, and every mark fit its member.
// A journal of the first version, which has no checksums, is read without the lines that would
// remove anything but game files. Throws UnfinishedJournal, DamagedJournal, or Error naming the
// file when it cannot be read (a link is never followed).
LaunchJournal ReadJournal(const fs::path& path, const JournalFolders& folders);

class JournalWriter {
  public:
    // Starts a new journal holding the plan, in one write and one flush; an existing file is
    // never replaced.
    static JournalWriter create(const fs::path& path, const LaunchJournal& plan);
    // Goes on writing an existing journal.
    static JournalWriter resume(const fs::path& path);

    // This run is about to make working files for the cycle: a later run may delete them.
    void noteTemporariesOfThisRun();
    void notePilotSwitch();
    void noteMemberRestored(int number);
    // The install failed at this member before writing anything of its own.
    void noteMemberUntouched(int number);
    // Every file is back: the last line.
    void close();

  private:
    JournalWriter(OutputFile file, std::string lastChecksum)
        : file_(std::move(file)), lastChecksum_(std::move(lastChecksum)) {}
    // Each line is synced to disk before the change it announces, unless `synced` is false.
    void append(const std::vector<std::string>& fields, bool synced = true);

    OutputFile file_;
    std::string lastChecksum_;  // of the last line; empty for a journal of the first version
};

}  // namespace tolvane
