#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tolvane {

// The game's config.cfg: its first line is "lastpilot " followed by the pilot the game loads.

// The pilot named in config.cfg text: its first text item without the 10-character label.
std::string PilotInConfig(std::string_view config);

// The text with its first line replaced by "lastpilot <name>"; every other line is kept byte
// for byte.
std::string WithPilot(std::string_view config, const std::string& name);

// config.cfg in the game folder, found without regard to letter case.
std::filesystem::path ConfigPath(const std::filesystem::path& gameFolder);

}  // namespace tolvane
