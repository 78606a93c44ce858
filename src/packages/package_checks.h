#pragma once

#include <optional>
#include <string>
#include <variant>

#include "packages/gob_package.h"
#include "packages/launch_refusal.h"

namespace tolvane {

// Why a member name cannot be written below the game folder (empty, absolute, a drive, "..",
// an empty folder name, a character Windows forbids, a component Windows cannot create or one
// that names a device), or nothing when it can.
std::optional<std::string> NameFault(const std::string& name);

// What is wrong with the open package, in the words of the message that refuses it: member data
// outside the file, or a name that cannot be written safely. Nothing when it may be installed.
std::optional<std::string> PackageFault(const GobPackage& package);

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
