#pragma once

#include <filesystem>

namespace tolvane {

// Paths are std::filesystem paths from the widgets to the disk; this is their short name.
namespace fs = std::filesystem;

}  // namespace tolvane
