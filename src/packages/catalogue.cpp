#include "packages/catalogue.h"

#include "packages/patch_info.h"
#include "platform/folder_lookup.h"

namespace tolvane {

std::vector<std::filesystem::path> ReadShipSetNames(Session& session, MainWindowView& window) {
    Progress& reading = window.showReadingWindow();
    reading.setValue(0);
    session.loadSettings();
    std::filesystem::path folder(session.settings.shipSetDir);
    std::vector<std::string> names =
        folder.empty() ? std::vector<std::string>{} : listFiles(folder, "*.gob");
    window.clearShipSets();
    std::vector<std::filesystem::path> paths;
    paths.reserve(names.size());
    if (!names.empty())
        reading.setMaximum(static_cast<int>(names.size()));
    for (const std::string& name : names) {
        reading.setValue(static_cast<int>(paths.size()) + 1);
        paths.push_back(folder / name);
        window.addShipSet(shipSetListName(ExtractPatchInfo(paths.back())));
    }
    window.hideReadingWindow();
    return paths;
}

}  // namespace tolvane
