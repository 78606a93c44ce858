#pragma once

#include "text/filesystem.h"
#include "session/session.h"

namespace tolvane {

// A launch cycle is open while "Last ShipSet" names a package, or while the ship set directory
// holds a launch journal that is not closed: the journal is kept even where the settings could
// not be written, and a journal that cannot be read is open too, so that the player hears why.
bool LaunchCycleOpen(const Session& session);

// The package of the open cycle: the one "Last ShipSet" names, else the journal's.
fs::path OpenCyclePackage(const Session& session);

}  // namespace tolvane
