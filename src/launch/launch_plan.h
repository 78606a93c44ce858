#pragma once

#include <optional>
#include <string>
#include <variant>

#include "launch/launch_journal.h"
#include "packages/gob_package.h"
#include "packages/package_checks.h"
#include "session/session.h"
#include "text/fs_alias.h"

namespace tolvane {

// Everything a launch will do, settled before anything is touched.
struct LaunchPlan {
    GobPackage package;     // open from planning to install, so both read the same directory
    fs::path journalPath;   // where the journal is written
    LaunchJournal journal;  // the cycle's record: every change the install will make
    // The game's "zt" folder, in the game's spelling, below the game folder; none where a file
    // has that name.
    std::optional<fs::path> patchFolder;
};

// What a plan is for.
enum class Planning {
    ForLaunch,   // asks the player about each pilot file the ship set would replace
    ForPreview,  // shows what a launch would do: asks nothing, changes no file, and leaves pilot
                 // files the ship set would replace planned as replaced
};

// Opens the package once and checks what the install relies on (the package may be installed;
// the game's executable is in the game folder; the program's own places are no links; no earlier
// launch still has files in the backup folder or an open journal; every member reaches a file of
// its own, or nothing, below the game folder, by a name the host can make, and so do the
// program's working files), settles what happens to each member, reads config.cfg's first line,
// and, for a launch, asks the player about each pilot file the ship set would replace. Every
// refusal is made here, with the box that tells it.
std::variant<LaunchPlan, LaunchRefusal> PlanLaunch(Session& session, const fs::path& package,
                                                   Planning planning = Planning::ForLaunch);

}  // namespace tolvane
