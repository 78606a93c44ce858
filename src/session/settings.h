#pragma once

#include <string>

#include "session/prompts.h"
#include "session/settings_store.h"
#include "text/fs_alias.h"

namespace tolvane {

// The program's name, as its windows, boxes and settings store show it.
inline constexpr const char* kProgramTitle = "Tolvane";

inline constexpr int kMajorVersion = 2;
inline constexpr int kMinorVersion = 5;
std::string CurrentVersion();

// Setting names, as stored by every version of the program.
inline constexpr const char* kVersionSection = "Version";
inline constexpr const char* kVersionKey = "Ordell Version";
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kGameExeKey = "XWA Exe";
inline constexpr const char* kShipSetDirKey = "ShipSet Dir";
inline constexpr const char* kCutsceneKey = "Show Opening Cutscene";
inline constexpr const char* kLastShipSetKey = "Last ShipSet";
inline constexpr const char* kLastPilotKey = "Last Pilot";
inline constexpr const char* kNoShipSet = "None";
// The file names of the packages launched here, each followed by "|", which no file name holds.
inline constexpr const char* kPlayedShipSetsKey = "Played ShipSets";
// The checksums of the played pilot files that players kept in the game folder, each followed by
// "|"; the newest last, the oldest forgotten past a few hundred.
inline constexpr const char* kKeptPilotsKey = "Kept Pilots";
// Where the main window was left, and its size: Qt's saved geometry, in base64.
inline constexpr const char* kMainWindowPlaceKey = "Main Window Place";

struct Settings {
    std::string gameExePath;
    std::string shipSetDir;
    // "Show Opening Cutscene" holds "1" when the game skips its opening cutscene: its leading
    // number, read once here.
    bool skipIntro = false;
    std::string storedVersion;
    bool optionsNeeded = false;
};

// The game folder: the stored executable path up to its last separator.
fs::path GameFolderOf(const Settings& settings);
// The ship set directory.
fs::path ShipSetFolderOf(const Settings& settings);
// Where a launch keeps the game's own copies of the files it replaces: "Backup" in the ship set
// directory.
fs::path BackupFolderOf(const Settings& settings);

// Reads the settings and tells the player when the options must be set up (first run or another
// version).
void LoadSettings(SettingsStore& store, Prompts& prompts, Settings& settings);

// Whether the package was launched here before ("Played ShipSets"), and the note that it was;
// the note throws Error when the store cannot keep it.
bool PlayedHere(const SettingsStore& store, const fs::path& package);
void NotePlayedHere(SettingsStore& store, const fs::path& package);

// Whether a pilot file of these bytes (their Checksum) is one a cycle left in the game folder, and
// the note that it is; the note throws Error when the store cannot keep it.
bool KeptByACycle(const SettingsStore& store, const std::string& checksum);
void NoteKeptByACycle(SettingsStore& store, const std::string& checksum);

// Makes the ship set directory the current directory, for the programs the game start runs. A
// directory that cannot be entered leaves the current directory as it was.
void EnterShipSetFolder(const Settings& settings);

}  // namespace tolvane
