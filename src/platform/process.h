#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text/fs_alias.h"

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
    // Its exit code once running() has seen it end (128 and the signal's number where a signal
    // ended it); nothing before, or when it is not known.
    std::optional<int> exitCode() const {
        return exitCode_;
    }
    // Seconds from its start to its end, or to now while it runs.
    double seconds() const;
    // The file that holds what it printed, where StartDetached was asked to keep it.
    const fs::path& output() const {
        return output_;
    }
    void keepOutputIn(fs::path file) {
        output_ = std::move(file);
    }

  private:
#ifdef _WIN32
    void* process_ = nullptr;
#else
    int process_ = 0;
#endif
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    std::optional<std::chrono::steady_clock::time_point> ended_;
    std::optional<int> exitCode_;
    fs::path output_;
};

// Starts a program in `workingFolder` (the current folder when empty) and does not wait for it.
// Throws Error naming the program when it cannot be started. On Windows the program gets a
// normal window that does not take the focus. Elsewhere what it prints goes to `output` when
// that is given (made anew), so that a start that fails can be told.
RunningProgram StartDetached(const fs::path& program, const std::vector<std::string>& arguments,
                             const fs::path& workingFolder = {},
                             const Environment& environment = {}, const fs::path& output = {});

// True while a process of this user runs whose program is one of `imagePaths` (letter case and
// the kind of separator ignored), such as the game an earlier run started: under Wine, a process
// whose arguments name the program's path. Someone else's process, or one of another program of
// the same name, does not count. False where that cannot be known.
bool ProgramIsRunning(const std::vector<std::string>& imagePaths);

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
