#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "session/progress.h"

namespace tolvane {

// Thrown at a step of the cycle when the terminal asks the program to stop there.
struct Interruption {};

// The command line's progress on its error stream: "Installing 120 of 20,003 files". In a
// terminal one line that updates in place; elsewhere (a log, a pipe) a plain line a second and
// the last one. While interruptible, a Ctrl+C or SIGTERM stops the step it comes at.
class TerminalProgress : public Progress {
  public:
    TerminalProgress(std::ostream& errors, bool terminal) : errors_(errors), terminal_(terminal) {}
    ~TerminalProgress() override { finish(); }

    // The steps from here on: what they do, how many files they are (else the maximum), and
    // whether an interrupt stops them.
    void begin(std::string doing, std::optional<int> files, bool interruptible);
    // Ends the line of the steps begun, if one was shown.
    void finish();

    void setMaximum(int maximum) override { maximum_ = maximum; }
    void setValue(int value) override;
    int value() const override { return value_; }
    int maximum() const override { return maximum_; }

  private:
    void show();

    std::ostream& errors_;
    bool terminal_;
    std::string doing_;
    std::optional<int> files_;
    bool interruptible_ = false;
    bool lineOpen_ = false;
    int value_ = 0;
    int maximum_ = 0;
    std::chrono::steady_clock::time_point lastShown_{};
    int shownDone_ = -1;  // the count last shown, so that no line says it twice
};

// 20003 as "20,003".
std::string WithThousands(std::uint64_t number);

}  // namespace tolvane
