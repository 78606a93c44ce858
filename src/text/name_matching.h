#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// Letter case is folded for ASCII letters only: names come from 8-bit Windows code pages and
// are compared with ASCII literals, as the game's own file functions do.
std::string UpperAscii(std::string_view text);
bool LessIgnoringCase(std::string_view a, std::string_view b);

// Wildcards * (any run) and ? (any one character), letter case ignored.
bool MatchesPattern(std::string_view pattern, std::string_view name);

}  // namespace tolvane
