#pragma once

#include "text/fs_alias.h"

namespace tolvane {

// Making, entering and removing folders, and deleting files, each through the fault seam. The
// throwing ones throw Error naming the path.

void MakeFolders(const fs::path& folder);

// Deletes a file if it is there; an Error when it stays.
void DeleteFileIfPresent(const fs::path& file);
// Deletes a file of the program's own whose failure to go harms nothing; true when it is gone.
bool RemoveOwnFile(const fs::path& file);
// Makes `folder` the current folder; an Error naming it when it cannot be entered.
void EnterFolder(const fs::path& folder);

// Removes `folder` when it is a folder (not a link) and empty; true when it is gone. An empty
// folder that stays is an Error naming it.
bool RemoveFolderIfEmpty(const fs::path& folder);
// True when a file (or anything but a folder) is somewhere in the tree below `folder`; false
// when there is no `folder`. A tree that cannot be read through is an Error naming it.
bool HoldsAnyFile(const fs::path& folder);
// Removes the empty folders of the tree below `root`, innermost first, and `root` if it empties;
// a folder that cannot be removed stays.
void RemoveEmptyFolders(const fs::path& root);

}  // namespace tolvane
