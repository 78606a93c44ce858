#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tolvane {

// Starts a program and does not wait for it. Throws Error naming the program when it cannot be
// started. On Windows the program gets a normal window that does not take the focus.
void StartDetached(const std::string& program, const std::vector<std::string>& arguments);

// The full path of `name` found on the PATH, if it is there and may be run.
std::optional<std::filesystem::path> FindOnPath(const std::string& name);

}  // namespace tolvane
