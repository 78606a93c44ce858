#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "session/prompts.h"

namespace tolvane::testing {

// A box the program showed, or one a test expects.
struct Prompt {
    bool isQuestion = false;
    std::string text;
    std::string title;
    Icon icon = Icon::None;
    Answer defaultAnswer = Answer::No;
    bool operator==(const Prompt&) const = default;
};

// Scripts the player's side of every message box. Each box the program shows must be the next
// expected one, with the same text, title, icon (and default button); anything else is reported
// at once (ReportTestFailure) and answered No, so nothing hangs.
class RecordingPrompts : public Prompts {
  public:
    ~RecordingPrompts() override;

    void expectMessage(std::string text, std::string title, Icon icon);
    void expectQuestion(std::string text, std::string title, Icon icon, Answer defaultAnswer,
                        Answer reply);
    // Accepts any message with this title, or any question (answered with its default button),
    // for tests that look at other things.
    void allowMessage(std::string title);

    void message(const std::string& text, const std::string& title, Icon icon) override;
    Answer question(const std::string& text, const std::string& title, Icon icon,
                    Answer defaultAnswer) override;

    std::vector<Prompt> shown;
    std::vector<std::string> allowedTitles;
    std::optional<Answer> allowedReply;  // for allowed questions instead of their default

  private:
    struct Expected {
        Prompt prompt;
        Answer reply;
    };
    Answer take(const Prompt& prompt);
    std::deque<Expected> expected_;
};

}  // namespace tolvane::testing
