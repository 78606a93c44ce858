#pragma once

#include <filesystem>
#include <vector>

#include "app/main_window_view.h"
#include "app/session.h"

namespace tolvane {

// Lists the packages (*.gob) of the ship set directory in the main window under the names their
// information texts give, showing the reading window meanwhile. Returns the package paths:
// entry i belongs to list position i. A directory that does not exist lists nothing.
std::vector<std::filesystem::path> ReadShipSetNames(Session& session, MainWindowView& window);

}  // namespace tolvane
