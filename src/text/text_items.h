#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// The first text item of a file's text: leading spaces skipped; an item that begins with a
// double quote runs to the next one or to the end of the line, quotes dropped; any other item
// ends before the first comma or at the end of the line.
// Empty text has no item.
std::optional<std::string> FirstTextItem(std::string_view text);

}  // namespace tolvane
