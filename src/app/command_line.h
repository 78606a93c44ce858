#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "session/session.h"

namespace tolvane {

// What a player asks of Tolvane from a terminal, with no window.
struct Command {
    enum class Mode { List, Preview, Play, Restore };
    Mode mode = Mode::List;
    std::string shipSet;               // a name from the list or a package's file name
    std::optional<std::string> pilot;  // --pilot: the pilot config.cfg names for the game
    bool replacePilots = false;        // "Pilot Exists!" answered Yes: the ship set's pilot plays
    bool revertPilots = false;         // "Keep Pilot?" answered No: the pilot of before comes back
};

// How a command ended, for a script to tell.
enum ExitCode : int {
    kDone = 0,
    kFailed = 1,          // something else went wrong; what is printed
    kBadArguments = 2,    // nothing was done
    kRefused = 3,         // refused, nothing changed
    kCycleOpen = 4,       // the game folder is not back yet: run --restore
    kAlreadyRunning = 5,  // another Tolvane runs
};

// The questions the windows ask, answered with what keeps the player's files: the game keeps its
// own pilot, and the pilot that was played stays, unless the command says otherwise. Every
// message and question is printed.
class TerminalPrompts : public Prompts {
  public:
    TerminalPrompts(std::ostream& out, std::ostream& errors, const Command& command)
        : out_(out), errors_(errors), command_(command) {}
    void message(const std::string& text, const std::string& title, Icon icon) override;
    Answer question(const std::string& text, const std::string& title, Icon icon,
                    Answer defaultAnswer) override;

  private:
    std::ostream& out_;
    std::ostream& errors_;
    const Command& command_;
};

// Runs a command with the settings as the windows use them (read at its start) and the prompts
// of the session (TerminalPrompts). A terminal's Ctrl+C or SIGTERM stops it between two steps of
// the cycle and leaves the cycle open. `showProgress` when errors go to a terminal.
ExitCode RunCommand(const Command& command, Session& session, std::ostream& out,
                    std::ostream& errors, bool showProgress);

}  // namespace tolvane
