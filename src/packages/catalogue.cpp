#include "packages/catalogue.h"

#include "packages/patch_info.h"
#include "platform/error.h"
#include "platform/folder_listing.h"

namespace tolvane {

std::vector<ShipSetEntry> ReadShipSetNames(const fs::path& folder, Progress& reading) {
    reading.setValue(0);
    std::vector<fs::path> names =
        folder.empty() ? std::vector<fs::path>{} : ListFiles(folder, "*.gob");
    std::vector<ShipSetEntry> entries;
    entries.reserve(names.size());
    if (!names.empty())
        reading.setMaximum(static_cast<int>(names.size()));
    for (const fs::path& name : names) {
        reading.setValue(static_cast<int>(entries.size()) + 1);
        fs::path package = folder / name;
        std::optional<std::string> info;
        try {
            info = ReadPatchInfo(package);
        } catch (const Error&) {
            // The list still shows an unreadable package, as one without a text ("Patchinfo.txt
            // not found"); a launch of it says what is wrong with it.
        }
        entries.push_back({package, ShipSetListName(info), info && !info->empty()});
    }
    return entries;
}

}  // namespace tolvane
