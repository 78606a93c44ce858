#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "text/fs_alias.h"

namespace tolvane {

enum class EntryKind { File, Folder, Other };  // Other: a link, a device, anything else

struct FolderEntry {
    fs::path name;  // spelled as on disk
    EntryKind kind;
};

// The entries of one folder by the key Windows files their names under, listed once. Lookups
// take constant time, so a ship set of any width costs one listing per folder. A folder that
// does not exist has no entries; one that cannot be listed is an Error naming it.
class FolderIndex {
  public:
    explicit FolderIndex(const fs::path& folder);

    // On Windows a name may also be an entry's short (8.3) name, which reaches the same entry.
    const FolderEntry* find(const fs::path& name) const;
    // Keeps the index current as the program makes and removes entries.
    void add(const fs::path& name, EntryKind kind);
    void remove(const fs::path& name);

  private:
    fs::path folder_;
    std::unordered_map<std::string, FolderEntry> entries_;
};

// The indexes of every folder one procedure touches, each listed the first time it is asked for.
class TreeIndex {
  public:
    FolderIndex& folder(const fs::path& folder);

    // Follows `components` down from `base`: the disk's spelling for every component that exists,
    // the given spelling from the first one that does not.
    fs::path resolve(const fs::path& base, const std::vector<fs::path>& components);

  private:
    std::unordered_map<std::string, FolderIndex> folders_;  // by the folder's path as given
};

}  // namespace tolvane
