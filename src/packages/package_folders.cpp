#include "packages/package_folders.h"

#include "packages/gob_package.h"
#include "packages/package_validator.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/folder_lookup.h"

namespace tolvane {

void RemovePackageFolders(const std::filesystem::path& path, const std::filesystem::path& base) {
    std::vector<std::vector<std::string>> folderChains;
    try {
        GobPackage package(path);
        for (const GobMember& member : package.members()) {
            std::string name = installedName(member);
            if (nameFault(name))
                continue;
            std::vector<std::string> components = nameComponents(name);
            components.pop_back();  // the file itself
            if (!components.empty())
                folderChains.push_back(std::move(components));
        }
    } catch (const Error&) {
        return;
    }
    for (std::vector<std::string>& chain : folderChains) {
        for (; !chain.empty(); chain.pop_back()) {
            std::filesystem::path folder = resolveIgnoringCase(base, chain);
            std::error_code ec;
            if (!std::filesystem::exists(std::filesystem::symlink_status(folder, ec)))
                continue;
            if (!removeFolderIfEmpty(folder))
                break;  // still in use, and so are its parents
        }
    }
}

}  // namespace tolvane
