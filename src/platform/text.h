#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// Letter case is folded for ASCII letters only: names come from 8-bit Windows code pages and
// are compared with ASCII literals, as the game's own file functions do.
std::string UpperAscii(std::string_view text);
bool LessIgnoringCase(std::string_view a, std::string_view b);

// Wildcards * (any run) and ? (any one character), letter case ignored.
bool MatchesPattern(std::string_view pattern, std::string_view name);

// The first text item of a file's text, as the player's files have always been read: leading
// spaces skipped; an item that begins with a double quote runs to the next one or to the end of
// the line, quotes dropped; any other item ends before the first comma or at the end of the line.
// Empty text has no item.
std::optional<std::string> FirstTextItem(std::string_view text);

}  // namespace tolvane
