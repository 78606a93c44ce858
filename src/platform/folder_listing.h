#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text/fs_alias.h"

namespace tolvane {

// Calls `visit` with each entry of `folder`, listed once through the fault seam. A folder that
// does not exist has none; one that cannot be listed is an Error naming it, thrown after `visit`
// has seen the entries listed before the failure.
void ForEachEntry(const fs::path& folder,
                  const std::function<void(const fs::directory_entry&)>& visit);
// The same through the whole tree below `folder`, links not followed, for as long as `visit`
// returns true.
void ForEachEntryBelow(const fs::path& folder,
                       const std::function<bool(const fs::directory_entry&)>& visit);

// The names of the files (not folders, not hidden ones) in `folder` that match `pattern`
// without regard to letter case, in ascending order of name compared the same way. A folder
// that does not exist lists nothing; one that cannot be listed is an Error naming it.
std::vector<fs::path> ListFiles(const fs::path& folder, std::string_view pattern);

// The ordinary files anywhere below `folder` (links are not followed, nor listed), in the order
// the folders list them. A folder that does not exist lists nothing; a tree that cannot be read
// through is an Error naming where.
std::vector<fs::path> ListFilesBelow(const fs::path& folder);

// The folders in `folder`, as full paths. A folder that does not exist lists nothing; one that
// cannot be listed is an Error naming it.
std::vector<fs::path> ListFolders(const fs::path& folder);

}  // namespace tolvane
