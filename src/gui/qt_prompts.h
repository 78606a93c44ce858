#pragma once

#include "session/prompts.h"

namespace tolvane {

// Real modal message boxes, over whichever window is active.
class QtPrompts : public Prompts {
  public:
    void message(const std::string& text, const std::string& title, Icon icon) override;
    Answer question(const std::string& text, const std::string& title, Icon icon,
                    Answer defaultAnswer) override;
};

}  // namespace tolvane
