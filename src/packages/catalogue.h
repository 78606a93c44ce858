#pragma once

#include <optional>
#include <string>
#include <vector>

#include "session/progress.h"
#include "text/fs_alias.h"

namespace tolvane {

// One package of the ship set directory, the name the list shows for it, and whether it has an
// information text to show. A package without one lists as "Patchinfo.txt not found" with its
// file name, so that two such rows are told apart; one that cannot be read says so too.
struct ShipSetEntry {
    fs::path package;
    std::string listName;
    bool hasInfo = false;
    std::optional<std::string> unreadable{};  // why the package cannot be read
};

// The packages (*.gob) of the ship set directory under the names their information texts give,
// in the order of their file names, moving `reading` as each is read. A directory that does not
// exist lists nothing.
std::vector<ShipSetEntry> ReadShipSetNames(const fs::path& shipSetFolder, Progress& reading);

}  // namespace tolvane
