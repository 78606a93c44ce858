#pragma once

#include <string_view>

#include "text/fs_alias.h"

namespace tolvane {

// Whole-file steps that a crash never leaves half done. Each throws Error naming the file. The
// ones that put a file in place through a temporary flush its folder afterwards, so that the
// rename outlives a power cut.

// Replaces `target` with `bytes`: a crash leaves either the old or the new file whole.
void WriteFileAtomically(const fs::path& target, std::string_view bytes);

// Moves `from` onto `to`, replacing it: a rename where the file system allows, else a durable
// copy after which `from` is deleted.
void MoveFileOnto(const fs::path& from, const fs::path& to);

// Moves `from` to `to`, which must not exist: a file found there is never replaced, and the
// move fails instead. Across file systems the copy is durable before `from` is deleted.
void MoveWithoutReplacing(const fs::path& from, const fs::path& to);

// Copies `from` to `to`, which must not exist, through a synced temporary file beside it.
void CopyWithoutReplacing(const fs::path& from, const fs::path& to);

}  // namespace tolvane
