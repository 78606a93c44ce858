#pragma once

#include <string>
#include <variant>

#include "packages/gob_package.h"
#include "session/prompts.h"

namespace tolvane {

// Why a launch cannot start, as the box that tells the player; nothing has changed.
struct LaunchRefusal {
    std::string text;
    std::string title;
    Icon icon = Icon::Exclamation;
};

inline constexpr const char* kGameExecutableKey = "XWINGALLIANCE.EXE";

// The refusal of a ship set that carries the game's executable.
LaunchRefusal CarriesExecutableRefusal();

// True when the package carries its own XWINGALLIANCE.EXE at its top level, in any spelling
// that reaches it.
bool CarriesGameExecutable(const GobPackage& package);

// Opens the package once for a launch, when it may be installed: it begins with "GOB" (letter
// case counts), carries no XWINGALLIANCE.EXE, and its directory, members and names are sound.
// Otherwise the refusal that tells the player why.
std::variant<GobPackage, LaunchRefusal> OpenPackageForLaunch(const fs::path& path);

}  // namespace tolvane
