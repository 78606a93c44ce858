#pragma once

#include "text/fs_alias.h"

namespace tolvane {

// Whether the file system that holds `path` keeps files' times in local time (FAT, exFAT: USB
// sticks, SD cards): there a change of daylight saving shifts every time it reports by an hour.
// False where it cannot be told.
bool KeepsLocalTimes(const fs::path& path);

}  // namespace tolvane
