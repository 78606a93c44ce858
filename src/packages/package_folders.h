#pragma once

#include <filesystem>

namespace tolvane {

// Removes, below `base`, every folder that a member path of the package names and that is empty,
// innermost first. Names that would lead outside `base` are passed over; a package that cannot
// be read removes nothing.
void RemovePackageFolders(const std::filesystem::path& package, const std::filesystem::path& base);

}  // namespace tolvane
