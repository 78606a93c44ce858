#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/filesystem.h"

namespace tolvane {

// Variables set for a started program, on top of this program's own environment.
using Environment = std::vector<std::pair<std::string, std::string>>;

// Starts a program in `workingFolder` (the current folder when empty) and does not wait for it.
// Throws Error naming the program when it cannot be started. On Windows the program gets a
// normal window that does not take the focus.
void StartDetached(const fs::path& program, const std::vector<std::string>& arguments,
                   const fs::path& workingFolder = {}, const Environment& environment = {});

// The full path of `name` found on the PATH, if it is there and may be run.
std::optional<fs::path> FindOnPath(const std::string& name);

#ifdef _WIN32
// Runs a batch file through the cmd.exe of the system folder, never one that happens to lie in
// the current folder, quoted so that any path reaches it whole.
void StartBatchFile(const fs::path& batch, const fs::path& workingFolder);

// `text` in the console's OEM code page, in which cmd reads batch files, or nothing when a
// character has no byte there.
std::optional<std::string> ConsoleCodePageText(const std::string& text);
// The short (8.3) form of an existing path, if the volume keeps one.
std::optional<fs::path> ShortPathOf(const fs::path& path);
#endif

}  // namespace tolvane
