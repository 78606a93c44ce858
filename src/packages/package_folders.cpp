#include "packages/package_folders.h"

#include "packages/gob_package.h"
#include "packages/package_validator.h"
#include "platform/file_io.h"
#include "platform/folder_lookup.h"

namespace tolvane {

void RemovePackageFolders(const std::filesystem::path& path, const std::filesystem::path& base) {
    std::optional<GobPackage> package = TryOpenPackage(path);
    if (!package)
        return;
    std::vector<std::vector<std::string>> folderChains;
    for (const GobMember& member : package->members()) {
        std::string name = InstalledName(member);
        if (NameFault(name))
            continue;
        std::vector<std::string> components = NameComponents(name);
        components.pop_back();  // the file itself
        if (!components.empty())
            folderChains.push_back(std::move(components));
    }
    for (std::vector<std::string>& chain : folderChains) {
        for (; !chain.empty(); chain.pop_back()) {
            std::filesystem::path folder = ResolveIgnoringCase(base, chain);
            std::error_code ec;
            if (!std::filesystem::exists(std::filesystem::symlink_status(folder, ec)))
                continue;
            if (!RemoveFolderIfEmpty(folder))
                break;  // still in use, and so are its parents
        }
    }
}

}  // namespace tolvane
