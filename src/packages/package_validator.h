#pragma once

#include <optional>
#include <string>

#include "packages/gob_package.h"

namespace tolvane {

// Why a member name cannot be written below the game folder (empty, absolute, a drive, "..",
// an empty folder name, a character Windows forbids, a component Windows cannot create or one
// that names a device), or nothing when it can.
std::optional<std::string> NameFault(const std::string& name);

// What is wrong with the open package, in the words of the message that refuses it: member data
// outside the file, or a name that cannot be written safely. Nothing when it may be installed.
std::optional<std::string> PackageFault(const GobPackage& package);

}  // namespace tolvane
