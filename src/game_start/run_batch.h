#pragma once

#include <string>
#include <vector>

#include "platform/process.h"
#include "session/program_folders.h"
#include "session/prompts.h"
#include "session/session.h"
#include "session/settings.h"
#include "text/fs_alias.h"

namespace tolvane {

// RunXWA.bat for the executable at `windowsExePath` (a Windows path): a remark, the drive ("C:",
// which makes it cmd's drive), a change to the game's folder, and the executable's name with "
// /skipintro" when the opening cutscene is skipped. Four lines, each ending in CR LF, that cmd
// reads literally ("%" doubled).
std::string RunBatchText(const std::string& windowsExePath, bool skipIntro);

// A game start: where RunXWA.bat was written, and the program that runs it.
struct StartedGame {
    fs::path batch;
    RunningProgram program;  // the batch's runner, which waits for the game
};

// Where a cycle writes RunXWA.bat: beside the program only where no RunXWA.bat was there before
// the cycle (one there is the game's, or another program's, and is never written over or removed).
enum class RunBatchPlace { BesideProgram, DataFolder };

// Where a cycle launched now may write RunXWA.bat.
RunBatchPlace RunBatchPlaceForNewCycle(const ProgramFolders& folders);

// Writes RunXWA.bat (beside the program where `place` allows, or in the per-user data folder when
// that is not writable or is a system folder) and starts it without waiting, in the game folder:
// cmd.exe on Windows, elsewhere as DecideGameStart says (Wine in the game's prefix, Proton, or
// the runner that TOLVANE_BATCH_RUNNER names). Throws Error naming what failed.
StartedGame RunGame(Session& session, RunBatchPlace place);

// Where a game start may leave files: RunXWA.bat and what the game's starter prints.
std::vector<fs::path> RunBatchPlaces(const ProgramFolders& folders, RunBatchPlace place);

// Deletes RunXWA.bat and the starter's output from wherever a cycle's game start may have written
// them. Whether none of them is left.
bool DeleteRunBatch(const ProgramFolders& folders, RunBatchPlace place);

}  // namespace tolvane
