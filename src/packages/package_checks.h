#pragma once

#include <filesystem>

#include "packages/gob_package.h"
#include "session/prompts.h"

namespace tolvane {

// True when the file begins with the three characters "GOB" (letter case counts).
bool HasGobSignature(const std::filesystem::path& package);

// True when the package carries its own XWINGALLIANCE.EXE at its top level, in any spelling
// that reaches it. A package that cannot be read carries none.
bool CheckForModifiedExe(const std::filesystem::path& package);
bool CarriesGameExecutable(const GobPackage& package);

inline constexpr const char* kGameExecutableKey = "XWINGALLIANCE.EXE";
inline constexpr const char* kModifiedExeTitle = "Sorry...";
inline constexpr const char* kModifiedExeText =
    "This ShipSet contains a modified XWINGALLIANCE.exe!  This is against LucasArts wishes, so "
    "this ShipSet will not be playable by means of Tolvane.\r\rContact the author and inform "
    "him/her of this error.";

// The checks made before a launch: the signature, the game's executable, and a directory that
// can be installed safely. Each refusal is told with its message box; true when all pass.
bool PassesLaunchChecks(Prompts& prompts, const std::filesystem::path& package);

}  // namespace tolvane
