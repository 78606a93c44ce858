#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tolvane::testing {

// Waits until `done` holds, at most `timeout`, calling `pause` between looks (a short sleep, or
// in the window tests one that lets Qt work); true when it held.
bool WaitFor(
    const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10),
    const std::function<void()>& pause = [] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    });

// The lines a started program wrote to `file` (line ends dropped), once it has written them; none
// when it never did.
std::vector<std::string> RecordedLines(const std::filesystem::path& file);

}  // namespace tolvane::testing
