#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/filesystem.h"

namespace tolvane {

// The names of the files (not folders, not hidden ones) in `folder` that match `pattern`
// without regard to letter case, in ascending order of name compared the same way. A folder
// that cannot be read lists nothing.
std::vector<std::string> ListFiles(const fs::path& folder, std::string_view pattern);

// The entry of `folder` whose name equals `name` without regard to letter case, spelled as on
// disk. On a case-sensitive file system this is how a name from a package finds the game's file.
std::optional<std::string> FindIgnoringCase(const fs::path& folder, std::string_view name);

// Follows `components` down from `base`, taking the disk's spelling for every component that
// exists and the given spelling from the first one that does not.
fs::path ResolveIgnoringCase(const fs::path& base, const std::vector<std::string>& components);

}  // namespace tolvane
