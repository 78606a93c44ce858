#pragma once

namespace tolvane {

// A terminal's Ctrl+C, or a request to end (SIGTERM, SIGHUP; closing the console on Windows),
// noted instead of ending the program at once, so that a cycle is left between two of its steps,
// where a restore continues it. A reader that went away (SIGPIPE) fails the write instead.
void CatchInterrupts();
bool Interrupted();
// The signal that asked the program to end (SIGINT for a console's Ctrl+C or Ctrl+Break, SIGTERM
// for its closing); 0 while none has.
int InterruptSignal();

}  // namespace tolvane
