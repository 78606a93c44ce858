#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/fs_alias.h"

namespace tolvane {

// How every working file's name of this program begins; a run's names go on with a token of
// its own (TemporaryPrefix).
inline constexpr std::string_view kTemporaryNameStart = ".tolvane-";

// The start of the names of this run's working files: unique to the run, so that a later run can
// tell the working files of the runs it knows of from anyone else's files.
const std::string& TemporaryPrefix();
// The longest name a working file of this run can have, to check that a folder can hold one.
fs::path LongestTemporaryName();
// A name in `folder` that no entry has yet, for a working file of this run.
fs::path FreshTemporaryPath(const fs::path& folder);
// What a sweep of working files did in one folder.
struct TemporarySweep {
    bool removedAny = false;  // the folder's entries changed, and must be flushed
    bool allGone = true;      // none stays
};
// Deletes the working files whose names begin with one of `prefixes` (runs' TemporaryPrefix) that
// runs which died left in `folder`, listing it once.
TemporarySweep RemoveTemporaries(const fs::path& folder, const std::vector<std::string>& prefixes);

}  // namespace tolvane
