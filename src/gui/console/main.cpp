#include "gui/terminal.h"

// tolvane-cli: the command line as a console program, with no window at all; with no arguments
// it prints how to use it.
int main(int argc, char* argv[]) {
    return tolvane::RunFromTerminal(argc, argv);
}
