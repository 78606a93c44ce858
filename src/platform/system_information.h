#pragma once

#include <optional>

#include "text/fs_alias.h"

namespace tolvane {

// The system's information tool: on Windows the one the registry names; elsewhere a desktop
// system-information program found on the PATH. Nothing where there is none.
std::optional<fs::path> SystemInformationProgram();

}  // namespace tolvane
