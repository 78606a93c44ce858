#include "platform/folder_lookup.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/fault_seam.h"
#include "text/name_matching.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane {
namespace {

// Dot files on every host; on Windows also what Explorer hides: hidden and system files.
bool IsHidden(const fs::path& path) {
    std::string name = Utf8Of(path.filename());
    if (!name.empty() && name.front() == '.')
        return true;
#ifdef _WIN32
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
#else
    return false;
#endif
}

}  // namespace

std::vector<fs::path> ListFiles(const fs::path& folder, std::string_view pattern) {
    std::vector<fs::path> names;
    std::error_code ec = BeforeFileOperation(FileStep::List, folder);
    fs::directory_iterator it = ec ? fs::directory_iterator() : fs::directory_iterator(folder, ec);
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        // A link that leads nowhere is listed, so that whoever opens it can say it is broken.
        std::error_code typeError;
        if (IsHidden(it->path()) || it->is_directory(typeError))
            continue;
        fs::path name = it->path().filename();
        if (MatchesPattern(pattern, Utf8Of(name)))
            names.push_back(std::move(name));
    }
    if (ec && ec != std::errc::no_such_file_or_directory)
        Fail("Could not list the folder", folder, ec);
    std::sort(names.begin(), names.end(), [](const fs::path& a, const fs::path& b) {
        return LessIgnoringCase(Utf8Of(a), Utf8Of(b));
    });
    return names;
}

std::vector<fs::path> ListFilesBelow(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec = BeforeFileOperation(FileStep::List, folder);
    fs::recursive_directory_iterator it =
        ec ? fs::recursive_directory_iterator() : fs::recursive_directory_iterator(folder, ec);
    for (fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        if (fs::is_regular_file(it->symlink_status(ec)))
            files.push_back(it->path());
    }
    if (ec && ec != std::errc::no_such_file_or_directory)
        Fail("Could not list the folder", folder, ec);
    return files;
}

std::vector<fs::path> ListFolders(const fs::path& folder) {
    std::vector<fs::path> folders;
    std::error_code ec = BeforeFileOperation(FileStep::List, folder);
    fs::directory_iterator it = ec ? fs::directory_iterator() : fs::directory_iterator(folder, ec);
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;  // an entry that cannot be looked at is no folder to use
        if (it->is_directory(typeError))
            folders.push_back(it->path());
    }
    if (ec && ec != std::errc::no_such_file_or_directory)
        Fail("Could not list the folder", folder, ec);
    return folders;
}

}  // namespace tolvane
