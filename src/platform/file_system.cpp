#include "platform/file_system.h"

#include "platform/error.h"
#include "platform/fault_seam.h"

namespace tolvane {

bool IsPresent(const fs::path& path) {
    std::error_code ec = BeforeFileOperation();
    fs::file_status status = ec ? fs::file_status{} : fs::symlink_status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        Fail("Could not look at", path, ec);
    return fs::exists(status);
}

void MakeFolders(const fs::path& folder) {
    std::error_code ec = BeforeFileOperation();
    if (!ec)
        fs::create_directories(folder, ec);
    if (!ec && !fs::is_directory(folder, ec))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (ec)
        Fail("Could not make the folder", folder, ec);
}

void DeleteFileIfPresent(const fs::path& file) {
    std::error_code ec = BeforeFileOperation();
    if (!ec)
        fs::remove(file, ec);
    if (ec)
        Fail("Could not delete", file, ec);
}

std::error_code RemoveOwnFile(const fs::path& file) {
    std::error_code ec = BeforeFileOperation();
    if (!ec)
        fs::remove(file, ec);
    return ec;
}

bool RemoveFolderIfEmpty(const fs::path& folder) {
    std::error_code ec = BeforeFileOperation();
    if (!ec && (!fs::is_directory(fs::symlink_status(folder, ec)) || !fs::is_empty(folder, ec)))
        return false;
    if (!ec && fs::remove(folder, ec))
        return true;
    Fail("Could not remove the folder", folder,
         ec ? ec : std::make_error_code(std::errc::directory_not_empty));
}

bool HoldsAnyFile(const fs::path& folder) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec) || it->is_symlink(ec))
            return true;
    }
    return false;
}

void RemoveEmptyFolders(const fs::path& root) {
    std::error_code ec = BeforeFileOperation();
    if (ec || !fs::is_directory(fs::symlink_status(root, ec)))
        return;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            RemoveEmptyFolders(it->path());
    }
    try {
        RemoveFolderIfEmpty(root);
    } catch (const Error&) {
        // An empty folder holds nothing that could be lost; the next launch may use it.
    }
}

}  // namespace tolvane
