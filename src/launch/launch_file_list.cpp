#include "launch/launch_file_list.h"

#include "platform/folder_lookup.h"

namespace tolvane {

bool LaunchFileList::setFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return false;
    folder_ = folder;
    refresh();
    return true;
}

void LaunchFileList::setPattern(std::string pattern) {
    pattern_ = std::move(pattern);
    refresh();
}

fs::path LaunchFileList::item(std::size_t index) const {
    return index < names_.size() ? names_[index] : fs::path();
}

void LaunchFileList::refresh() {
    names_ = ListFiles(folder_, pattern_);
}

}  // namespace tolvane
