#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "text/fs_alias.h"

namespace tolvane {

// Every file operation on the game's and the player's files (open, read, write, flush, close,
// list, look up, rename, delete, make a folder) calls BeforeFileOperation first, so that a test
// can prove the cycle's promises at every single one of them. Unarmed, it only counts. The
// program's own lock file and the settings store are outside it.
//
enum class FileStep {
    Open,
    Read,
    Create,
    Write,
    Flush,
    Close,
    List,
    LookUp,
    Rename,
    Delete,
    MakeFolder,
    RemoveFolder
};

// Returns the error to fail this operation with, if the test armed one for it. A rename names
// both its ends; a write passes its bytes, so that a recorded run can be replayed.
std::error_code BeforeFileOperation(FileStep step, const fs::path& path, const fs::path& to = {},
                                    std::string_view bytes = {});

struct RecordedStep {
    FileStep step;
    fs::path path;
    fs::path to;        // where a rename goes
    std::string bytes;  // what a write writes
};

// Thrown by every file operation from the one a test chose to die at: the run stops there and
// no further write reaches the disk, as when the process is killed. It is no std::exception, so
// no handler of the program mistakes it for a failure it could report.
struct SimulatedDeath {};

class FaultSeam {
  public:
    // The `n`th operation from now (1 for the next) fails with `error`; the others go on.
    static void FailAt(std::uint64_t n, std::error_code error);
    // The `n`th operation from now and every one after it throw SimulatedDeath.
    static void DieAt(std::uint64_t n);
    static void Disarm();
    // How many operations have passed the seam since it was last armed or disarmed.
    static std::uint64_t Operations();
    // Keeps every operation from now on, in order, until Disarm, for tests of what comes first
    // and for replaying a run into the states a power cut may leave.
    static void Record();
    static bool Recording();
    static const std::vector<RecordedStep>& Recorded();
};

}  // namespace tolvane
