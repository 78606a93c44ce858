#pragma once

#include <filesystem>

#include "session/prompts.h"

namespace tolvane {

// True when the file begins with the three characters "GOB" (letter case counts).
bool HasGobSignature(const std::filesystem::path& package);

// True when the package carries its own XWINGALLIANCE.EXE at its top level. A package that
// cannot be read carries none.
bool CheckForModifiedExe(const std::filesystem::path& package);

// The checks made before a launch: the signature, the game's executable, and a directory that
// can be installed safely. Each refusal is told with its message box; true when all pass.
bool PassesLaunchChecks(Prompts& prompts, const std::filesystem::path& package);

}  // namespace tolvane
