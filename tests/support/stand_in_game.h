#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "launch/launch_journal.h"
#include "session/session.h"
#include "support/memory_settings_store.h"
#include "support/recording_prompts.h"
#include "support/sample_world.h"

namespace tolvane::testing {

// A stand-in for the game and the player's folders: a game folder with an executable, a
// config.cfg naming pilot Ace, two pilot files and a wave folder; a ship set directory; the
// program's folder; a folder of someone else's beside them; and settings that point at them, as
// accepted options leave them.
class StandInGame {
  public:
    // The folder names are UTF-8 and may be paths of several folders.
    explicit StandInGame(const std::string& executableName = "XWINGALLIANCE.EXE",
                         const std::string& gameFolder = "XWA",
                         const std::string& shipSetFolder = "Ships");

    std::filesystem::path game() const { return game_; }
    std::filesystem::path shipSets() const { return shipSets_; }
    std::filesystem::path backup() const { return shipSets() / "Backup"; }
    std::filesystem::path program() const { return root_ / "Program"; }
    // Beside the game folder: a sentinel file and an empty folder that nothing may touch.
    std::filesystem::path outside() const { return root_ / "Outside"; }
    std::filesystem::path executable() const { return game() / executableName_; }
    const std::string& executableBytes() const { return executableBytes_; }
    std::filesystem::path journalPath() const { return JournalPathFor(shipSets()); }
    LaunchJournal readJournal() const { return ReadJournal(journalPath(), {game(), backup()}); }

  private:
    TempFolder root_;  // first: the session is built from its path

  public:
    MemorySettingsStore store;
    RecordingPrompts prompts;
    Session session;

  private:
    std::filesystem::path game_;
    std::filesystem::path shipSets_;
    std::string executableName_;
    std::string executableBytes_;
};

// Appends a line to a launch journal with the checksum the program would give it: a line of
// this program's own form, so that what it says is judged, not its checksum.
void AppendJournalLine(const std::filesystem::path& journal, const std::string& line);

// A folder tree as a test compares it: each path below the root, in UTF-8 with "/" between
// folders, with the file's bytes; a folder's name ends in "/" and holds nothing, a link's ends in
// "@" and holds where it leads.
using Tree = std::map<std::string, std::string>;

// Every file, folder and link below `root`; links are not followed.
Tree Snapshot(const std::filesystem::path& root);

}  // namespace tolvane::testing
