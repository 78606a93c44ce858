#pragma once

namespace tolvane {

// Tolvane started with arguments: the command line parser, then the command with no window and
// no display (QCoreApplication), with the settings, the single-instance lock and the open-cycle
// check that the windows use. Returns the process's exit code.
int RunFromTerminal(int argc, char* argv[]);

}  // namespace tolvane
