#pragma once

#include "text/fs_alias.h"

namespace tolvane {

// Where the program runs from, and the per-user folder for when that is not writable.
struct ProgramFolders {
    fs::path program;
    fs::path userData;
};

}  // namespace tolvane
