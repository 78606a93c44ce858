#include "packages/package_folders.h"

#include "packages/gob_package.h"
#include "packages/package_validator.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/folder_index.h"

namespace tolvane {
namespace {

void RemoveFoldersOf(const GobPackage& package, const fs::path& base) {
    TreeIndex index;
    for (const GobMember& member : package.members()) {
        if (NameFault(member.name))
            continue;
        std::vector<fs::path> chain = NameComponents(InstalledName(member));
        chain.pop_back();  // the file itself
        for (; !chain.empty(); chain.pop_back()) {
            fs::path folder = index.resolve(base, chain);
            if (!IsPresent(folder))
                continue;
            if (!RemoveFolderIfEmpty(folder))
                break;  // still in use, and so are its parents
            index.folder(folder.parent_path()).remove(folder.filename());
        }
    }
}

}  // namespace

void RemovePackageFolders(const std::filesystem::path& path, const std::filesystem::path& base) {
    std::optional<GobPackage> package = TryOpenPackage(path);
    if (!package)
        return;
    try {
        RemoveFoldersOf(*package, base);
    } catch (const Error&) {
        // A folder that cannot be looked at stays, as one that still holds files does.
    }
}

}  // namespace tolvane
