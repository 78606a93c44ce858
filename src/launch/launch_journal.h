#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/filesystem.h"

namespace tolvane {

// What the install did to one game file, written down before it did it.
enum class MemberChange {
    Replaced,  // the game had the file; its own copy goes to the backup folder first
    Added,     // the game had no such file
    Repeated,  // a later member of the same name: it overwrites the first one's file only
};

struct JournalMember {
    int number = 0;
    MemberChange change = MemberChange::Added;
    fs::path relativePath;  // below the game folder, spelled as on disk; the same below Backup
};

// The on-disk record of one launch cycle, from which a restore can tell, for every member,
// whether it replaced a game file, added one, or was never reached, whatever moment the program
// died at. It is a file of lines that is only ever appended to, each line synced before the
// change it announces.
struct LaunchJournal {
    fs::path package;
    fs::path gameFolder;
    fs::path backupFolder;
    std::vector<fs::path> createdFolders;  // below the game folder, outermost first
    std::vector<JournalMember> members;
    std::string executableName;  // set once its backup is about to be taken
    std::set<int> restoredMembers;
    bool pilotSwitched = false;  // the pilot loader saved the game's pilot in "Last Pilot"
    bool closed = false;         // every file is back; only the settings remain to be written
};

// The journal's place: beside the backup folder in the ship set directory.
fs::path JournalPathFor(const fs::path& shipSetDir);

// Reads a journal; a line cut short by a crash is ignored. Throws Error naming the file.
LaunchJournal ReadJournal(const fs::path& path);

class JournalWriter {
  public:
    // Starts a new journal; an existing file is never replaced.
    static JournalWriter create(const fs::path& path, const fs::path& package,
                                const fs::path& gameFolder, const fs::path& backupFolder);
    // Goes on writing an existing journal.
    static JournalWriter resume(const fs::path& path);

    void folderCreated(const fs::path& relativePath);
    void memberStarting(const JournalMember& member);
    void executableBackedUp(const std::string& name);
    void pilotSwitched();
    void memberRestored(int number);
    void closed();

  private:
    explicit JournalWriter(OutputFile file) : file_(std::move(file)) {}
    // Each line is synced to disk before the change it announces, unless `synced` is false.
    void append(const std::vector<std::string>& fields, bool synced = true);

    OutputFile file_;
};

}  // namespace tolvane
