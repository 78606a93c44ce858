#pragma once

#include <string>

namespace tolvane {

enum class Icon { None, Information, Exclamation, Critical };
enum class Answer { Yes, No };

// What a message may tell the player to do next, in the words of whatever shows it.
enum class Instruction {
    Restore,     // put the game folder back after a cycle that could not finish
    SetOptions,  // where the game and the ship set directory are chosen: "in ..."
};

// The modal boxes through which the program talks to the player. The windows show real message
// boxes; tests script the answers and check every text, title and icon.
class Prompts {
  public:
    virtual ~Prompts() = default;
    // How the player does `what` here: the windows name their buttons.
    virtual std::string howTo(Instruction what) const {
        return what == Instruction::Restore ? "press \"Click here to restore files\""
                                            : "in Options";
    }
    virtual void message(const std::string& text, const std::string& title, Icon icon) = 0;
    // A Yes/No question; `defaultAnswer` is the button that Enter presses.
    virtual Answer question(const std::string& text, const std::string& title, Icon icon,
                            Answer defaultAnswer) = 0;
};

}  // namespace tolvane
