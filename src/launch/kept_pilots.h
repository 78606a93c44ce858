#pragma once

#include <string>

#include "text/fs_alias.h"

namespace tolvane {

// Where the versions of pilot files that the player did not choose go: beside the ship sets.
inline fs::path KeptPilotsFolderIn(const fs::path& shipSetDir) {
    return shipSetDir / "Pilots kept by Tolvane";
}

// What a kept file's name says of its cycle.
struct KeptCycle {
    std::string shipSet;  // the package's name without its extension
    std::string when;     // the moment of the restore
};

// A name in `folder` for a version of `pilotFile` ("before" the launch, or as "played"): the
// pilot's name, the version, the ship set and the moment, and a number where a file or link has
// that name already. It fits the host's limits (a name's length, and on Windows the whole path's):
// the ship set's part is shortened first, then the pilot's.
fs::path KeptPilotPath(const fs::path& folder, const fs::path& pilotFile,
                       const std::string& version, const KeptCycle& cycle);

}  // namespace tolvane
