#include "support/waiting.h"

#include "support/sample_world.h"

namespace tolvane::testing {

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout,
             const std::function<void()>& pause) {
    auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        pause();
    }
    return true;
}

std::vector<std::string> RecordedLines(const std::filesystem::path& file) {
    if (!WaitFor([&] { return std::filesystem::exists(file); }, std::chrono::seconds(60)))
        return {};
    // The writer may still be finishing its last line.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::vector<std::string> lines;
    std::string line;
    for (char c : ReadFileBytes(file)) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    return lines;
}

}  // namespace tolvane::testing
