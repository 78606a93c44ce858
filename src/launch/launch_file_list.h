#pragma once

#include <string>
#include <vector>

#include "platform/filesystem.h"

namespace tolvane {

// The launch cycle's file listing: a folder, a pattern, and a snapshot of the names of the
// folder's files that match it (letter case ignored, in ascending order of name), taken each time
// the folder or the pattern is set. Files created or deleted afterwards do not change it.
class LaunchFileList {
  public:
    // A folder that does not exist is refused: the previous folder and names stay.
    bool setFolder(const std::filesystem::path& folder);
    void setPattern(std::string pattern);

    const std::filesystem::path& folder() const { return folder_; }
    std::size_t count() const { return names_.size(); }
    // Item `index` from 0; an empty name past the last one.
    fs::path item(std::size_t index) const;

  private:
    void refresh();

    std::filesystem::path folder_ = ".";
    std::string pattern_ = "*.*";
    std::vector<fs::path> names_;
};

}  // namespace tolvane
