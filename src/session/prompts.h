#pragma once

#include <string>

namespace tolvane {

enum class Icon { None, Information, Exclamation, Critical };
enum class Answer { Yes, No };

// The modal boxes through which the program talks to the player. The windows show real message
// boxes; tests script the answers and check every text, title and icon.
class Prompts {
  public:
    virtual ~Prompts() = default;
    virtual void message(const std::string& text, const std::string& title, Icon icon) = 0;
    // A Yes/No question; `defaultAnswer` is the button that Enter presses.
    virtual Answer question(const std::string& text, const std::string& title, Icon icon,
                            Answer defaultAnswer) = 0;
};

}  // namespace tolvane
