#include "platform/folder_steps.h"

#include <vector>

#include "platform/error.h"
#include "platform/fault_seam.h"
#include "platform/folder_listing.h"
#include "platform/path_checks.h"

namespace tolvane {

void MakeFolders(const fs::path& folder) {
    std::error_code ec = BeforeFileOperation(FileStep::MakeFolder, folder);
    if (!ec)
        fs::create_directories(folder, ec);
    if (!ec && !fs::is_directory(folder, ec))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (ec)
        Fail("Could not make the folder", folder, ec);
}

void DeleteFileIfPresent(const fs::path& file) {
    std::error_code ec = BeforeFileOperation(FileStep::Delete, file);
    if (!ec)
        fs::remove(file, ec);
    if (ec)
        Fail("Could not delete", file, ec);
}

bool RemoveOwnFile(const fs::path& file) {
    std::error_code ec = BeforeFileOperation(FileStep::Delete, file);
    if (!ec)
        fs::remove(file, ec);
    return !ec;
}

void EnterFolder(const fs::path& folder) {
    std::error_code ec;
    fs::current_path(folder, ec);
    if (ec)
        Fail("Could not enter the folder", folder, ec);
}

bool RemoveFolderIfEmpty(const fs::path& folder) {
    std::error_code ec = BeforeFileOperation(FileStep::RemoveFolder, folder);
    if (!ec && (!fs::is_directory(fs::symlink_status(folder, ec)) || !fs::is_empty(folder, ec)))
        return false;
    if (!ec && fs::remove(folder, ec))
        return true;
    Fail("Could not remove the folder", folder,
         ec ? ec : std::make_error_code(std::errc::directory_not_empty));
}

bool HoldsAnyFile(const fs::path& folder) {
    if (!IsPresent(folder))
        return false;
    bool found = false;
    ForEachEntryBelow(folder, [&](const fs::directory_entry& entry) {
        // An entry that cannot be looked at may be a file.
        std::error_code ec;
        found = !entry.is_directory(ec) || entry.is_symlink(ec) || ec;
        return !found;
    });
    return found;
}

void RemoveEmptyFolders(const fs::path& root) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(root, ec)))
        return;
    std::vector<fs::path> folders;
    try {
        ForEachEntry(root, [&](const fs::directory_entry& entry) {
            std::error_code typeError;
            if (entry.is_directory(typeError) && !entry.is_symlink(typeError))
                folders.push_back(entry.path());
        });
        for (const fs::path& folder : folders)
            RemoveEmptyFolders(folder);
        RemoveFolderIfEmpty(root);
    } catch (const Error&) {
        // An empty folder holds nothing that could be lost; the next launch may use it.
    }
}

}  // namespace tolvane
