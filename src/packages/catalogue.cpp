#include "packages/catalogue.h"

#include "packages/patch_info.h"
#include "platform/error.h"
#include "platform/folder_listing.h"
#include "text/path_text.h"

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
        ShipSetEntry entry;
        entry.package = package;
        std::optional<std::string> info;
        try {
            info = ReadPatchInfo(package);
        } catch (const Error& error) {
            entry.unreadable = error.what();  // still listed: its row and its window say why
        }
        entry.listName = ShipSetListName(info);
        entry.hasInfo = info && !info->empty();
        if (!entry.hasInfo) {
            entry.listName += " (" + Utf8Of(name) + (entry.unreadable ? ", unreadable)" : ")");
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace tolvane
