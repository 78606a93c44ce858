#pragma once

#include <string>
#include <string_view>

#include "text/fs_alias.h"

namespace tolvane {

// The program's text is UTF-8 on every host, and paths cross into it and back through these, so
// that no path is ever read in the ANSI code page or byte by byte.
fs::path PathFromUtf8(std::string_view text);
std::string Utf8Of(const fs::path& path);
// A path as messages show it: UTF-8 with the host's separators.
std::string DisplayPath(const fs::path& path);

// `text` with every "/" turned into "\", as Windows and the game's packages write paths.
std::string WithBackslashes(std::string text);

// The folder text as it is stored: ending with the host's separator.
std::string WithTrailingSeparator(std::string folder);

}  // namespace tolvane
