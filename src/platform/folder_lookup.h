#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/filesystem.h"

namespace tolvane {

// The names of the files (not folders, not hidden ones) in `folder` that match `pattern`
// without regard to letter case, in ascending order of name compared the same way. A folder
// that does not exist lists nothing; one that cannot be listed is an Error naming it.
std::vector<fs::path> ListFiles(const fs::path& folder, std::string_view pattern);

}  // namespace tolvane
