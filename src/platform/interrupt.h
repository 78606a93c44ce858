#pragma once

namespace tolvane {

// A terminal's Ctrl+C, or a request to end (SIGTERM; closing the console on Windows), noted
// instead of ending the program at once, so that a cycle is left between two of its steps, where
// a restore continues it.
void CatchInterrupts();
bool Interrupted();

}  // namespace tolvane
