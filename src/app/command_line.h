#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "session/session.h"

namespace tolvane {

// How the terminal's messages name this program: the command a player types for another
// command, and how the windows are opened.
struct ProgramNames {
    std::string commands = "tolvane";
    std::string windows = "tolvane with no arguments";
};

// What a player asks of Tolvane from a terminal, with no window.
struct Command {
    enum class Mode { List, Preview, Play, Restore };
    Mode mode = Mode::List;
    std::string shipSet;               // a name from the list or a package's file name
    std::optional<std::string> pilot;  // --pilot: the pilot config.cfg names for the game
    bool replacePilots = false;        // "Pilot Exists!" answered Yes: the ship set's pilot plays
    bool revertPilots = false;         // "Keep Pilot?" answered No: the pilot of before comes back
    ProgramNames names{};
};

// How a command ended, for a script to tell.
enum ExitCode : int {
    kDone = 0,
    kFailed = 1,             // something else went wrong; what is printed
    kBadArguments = 2,       // nothing was done
    kRefused = 3,            // refused or undone; the game folder is as it was
    kCycleOpen = 4,          // the game folder is not back yet: run --restore
    kAlreadyRunning = 5,     // another Tolvane runs
    kStoppedBySignal = 128,  // plus the signal (130 Ctrl+C, 143 SIGTERM): the game folder is back
};

// The questions the windows ask, answered with what keeps the player's files: the game keeps its
// own pilot, and the pilot that was played stays, unless the command says otherwise. Every
// message and question is printed, and every instruction names the command to run.
class TerminalPrompts : public Prompts {
  public:
    TerminalPrompts(std::ostream& out, std::ostream& errors, const Command& command)
        : out_(out), errors_(errors), command_(command) {}
    void message(const std::string& text, const std::string& title, Icon icon) override;
    Answer question(const std::string& text, const std::string& title, Icon icon,
                    Answer defaultAnswer) override;
    std::string howTo(Instruction what) const override;

  private:
    std::ostream& out_;
    std::ostream& errors_;
    const Command& command_;
};

// Runs a command with the settings as the windows use them (read at its start) and the prompts
// of the session (TerminalPrompts). `terminal` when errors go to a terminal: progress updates
// one line there. A Ctrl+C, SIGTERM or SIGHUP while the game runs waits a few seconds for the
// game to end (it gets the same signal) and then puts the game folder back; during an install it
// stops the install and puts the game folder back.
ExitCode RunCommand(const Command& command, Session& session, std::ostream& out,
                    std::ostream& errors, bool terminal);

}  // namespace tolvane
