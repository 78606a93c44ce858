#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// The game's config.cfg: its first line is "lastpilot " followed by the pilot the game loads.

// The pilot named in config.cfg text: its first text item without the 10-character label.
std::string PilotInConfig(std::string_view config);

// The first line of config.cfg text, without its line end.
std::string_view FirstLineOf(std::string_view config);

// The first line of config.cfg text with its line end, if it has one.
std::string_view FirstLineWithEndOf(std::string_view config);

// The text with its first line replaced by `line`; every other line is kept byte for byte.
std::string WithFirstLine(std::string_view config, std::string_view line);

// The text with its first line and that line's end replaced by `lineWithEnd`, byte for byte.
std::string WithFirstLineAndEnd(std::string_view config, std::string_view lineWithEnd);

// The text with its first line replaced by "lastpilot <name>".
std::string WithPilot(std::string_view config, const std::string& name);

// config.cfg in the game folder, found without regard to letter case.
std::filesystem::path ConfigPath(const std::filesystem::path& gameFolder);

// config.cfg's first line with its line end, byte for byte, or nothing when the game folder has
// no config.cfg. Throws Error naming the file when it cannot be read.
std::optional<std::string> ReadConfigFirstLine(const std::filesystem::path& gameFolder);

// Replaces config.cfg with `text` atomically. A config.cfg that is a link stays one: the file it
// leads to is replaced, in its own folder. Throws Error naming the file.
void WriteConfig(const std::filesystem::path& config, std::string_view text);

}  // namespace tolvane
