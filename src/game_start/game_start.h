#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "text/fs_alias.h"

namespace tolvane {

// How the game is started on a host that is not Windows, decided from where its executable lies.
enum class Starter {
    Runner,       // TOLVANE_BATCH_RUNNER names the program
    WinePrefix,   // the executable is inside a Wine prefix's drive_c
    Proton,       // a Steam copy, run by the Proton its prefix last used
    SteamPrefix,  // a Steam copy with no Proton found: Wine in the copy's own prefix
    WineDefault,  // Wine's default prefix
};

struct GameStart {
    Starter starter = Starter::WineDefault;
    fs::path program;                    // what is run: wine, proton, or the runner
    std::vector<std::string> arguments;  // before the batch file's path
    Environment environment;
    // The executable's path as the game and RunXWA.bat see it: its drive form in its own prefix
    // (C:\...), else Wine's Z: form of the host path.
    std::string windowsExePath;
    // What the options dialog shows: "Wine, prefix ~/Games/xwa", "Proton 9.0 (Steam)", ...
    std::string description;
};

// Decides how to start the game at `executable`: `runner` (TOLVANE_BATCH_RUNNER) overrides
// everything, then a Wine prefix around it, then a Steam library, then Wine's default prefix.
// `home` is where Steam's own folders are looked for.
GameStart DecideGameStart(const fs::path& executable, const std::string& runner,
                          const fs::path& home);

// The same for this user and this environment.
GameStart DecideGameStart(const fs::path& executable);

// A host path as Wine shows it to Windows programs: drive Z: and backslashes.
std::string WineFormOf(const fs::path& hostPath);

// Every form in which a running game's process names the executable: its host path, and under
// Wine its path as the game sees it and Wine's Z: form.
std::vector<std::string> GameImagePaths(const fs::path& executable);

}  // namespace tolvane
