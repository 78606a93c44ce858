#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/filesystem.h"

namespace tolvane {

// Variables set for a started program, on top of this program's own environment.
using Environment = std::vector<std::pair<std::string, std::string>>;

// A program this one started and does not wait for, whose end can be asked about.
class RunningProgram {
  public:
    RunningProgram() = default;
#ifdef _WIN32
    explicit RunningProgram(void* process) : process_(process) {}
#else
    explicit RunningProgram(int process) : process_(process) {}
#endif
    RunningProgram(RunningProgram&& other) noexcept;
    RunningProgram& operator=(RunningProgram&& other) noexcept;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram();

    // False once it has ended, or when nothing was started.
    bool running();

  private:
#ifdef _WIN32
    void* process_ = nullptr;
#else
    int process_ = 0;
#endif
};

// Starts a program in `workingFolder` (the current folder when empty) and does not wait for it.
// Throws Error naming the program when it cannot be started. On Windows the program gets a
// normal window that does not take the focus.
RunningProgram StartDetached(const fs::path& program, const std::vector<std::string>& arguments,
                             const fs::path& workingFolder = {},
                             const Environment& environment = {});

// True while a process runs whose program file is named `fileName` (letter case ignored), such as
// the game started by an earlier run. False where that cannot be known.
bool ProgramIsRunning(const std::string& fileName);

// The full path of `name` found on the PATH, if it is there and may be run.
std::optional<fs::path> FindOnPath(const std::string& name);

#ifdef _WIN32
// Runs a batch file through the cmd.exe of the system folder, never one that happens to lie in
// the current folder, quoted so that any path reaches it whole.
RunningProgram StartBatchFile(const fs::path& batch, const fs::path& workingFolder);

// `text` in the console's OEM code page, in which cmd reads batch files, or nothing when a
// character has no byte there.
std::optional<std::string> ConsoleCodePageText(const std::string& text);
// The short (8.3) form of an existing path, if the volume keeps one.
std::optional<fs::path> ShortPathOf(const fs::path& path);
#endif

}  // namespace tolvane
