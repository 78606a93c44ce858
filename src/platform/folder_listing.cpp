#include "platform/folder_listing.h"

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

// The one listing loop: every listing of the game's and the player's folders passes the seam here.
template <typename Iterator, typename Visit>
void ListThroughSeam(const fs::path& folder, Visit visit) {
    std::error_code ec = BeforeFileOperation(FileStep::List, folder);
    Iterator it = ec ? Iterator() : Iterator(folder, ec);
    for (Iterator end; !ec && it != end; it.increment(ec)) {
        if (!visit(*it))
            return;
    }
    // A folder that is not there holds nothing yet; one that cannot be read might hold anything.
    if (ec && ec != std::errc::no_such_file_or_directory)
        Fail("Could not list the folder", folder, ec);
}

}  // namespace

void ForEachEntry(const fs::path& folder,
                  const std::function<void(const fs::directory_entry&)>& visit) {
    ListThroughSeam<fs::directory_iterator>(folder, [&](const fs::directory_entry& entry) {
        visit(entry);
        return true;
    });
}

void ForEachEntryBelow(const fs::path& folder,
                       const std::function<bool(const fs::directory_entry&)>& visit) {
    ListThroughSeam<fs::recursive_directory_iterator>(folder, visit);
}

std::vector<fs::path> ListFiles(const fs::path& folder, std::string_view pattern) {
    std::vector<fs::path> names;
    ForEachEntry(folder, [&](const fs::directory_entry& entry) {
        // A link that leads nowhere is listed, so that whoever opens it can say it is broken.
        std::error_code typeError;
        if (IsHidden(entry.path()) || entry.is_directory(typeError))
            return;
        fs::path name = entry.path().filename();
        if (MatchesPattern(pattern, Utf8Of(name)))
            names.push_back(std::move(name));
    });
    std::sort(names.begin(), names.end(), [](const fs::path& a, const fs::path& b) {
        return LessIgnoringCase(Utf8Of(a), Utf8Of(b));
    });
    return names;
}

std::vector<fs::path> ListFilesBelow(const fs::path& folder) {
    std::vector<fs::path> files;
    ForEachEntryBelow(folder, [&](const fs::directory_entry& entry) {
        std::error_code typeError;
        fs::file_status status = entry.symlink_status(typeError);
        if (typeError)
            Fail("Could not look at", entry.path(), typeError);
        if (fs::is_regular_file(status))
            files.push_back(entry.path());
        return true;
    });
    return files;
}

std::vector<fs::path> ListFolders(const fs::path& folder) {
    std::vector<fs::path> folders;
    ForEachEntry(folder, [&](const fs::directory_entry& entry) {
        std::error_code typeError;  // an entry that cannot be looked at is no folder to use
        if (entry.is_directory(typeError))
            folders.push_back(entry.path());
    });
    return folders;
}

}  // namespace tolvane
