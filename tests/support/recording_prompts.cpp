#include "support/recording_prompts.h"

#include <algorithm>

#include "support/test_failure.h"

namespace tolvane::testing {
namespace {

std::string Describe(const Prompt& prompt) {
    return (prompt.isQuestion ? "question \"" : "message \"") + prompt.text + "\" titled \"" +
           prompt.title + "\" icon " + std::to_string(static_cast<int>(prompt.icon));
}

}  // namespace

RecordingPrompts::~RecordingPrompts() {
    for (const Expected& left : expected_)
        ReportTestFailure("expected but never shown: " + Describe(left.prompt));
}

void RecordingPrompts::expectMessage(std::string text, std::string title, Icon icon) {
    expected_.push_back({{false, std::move(text), std::move(title), icon, Answer::No}, Answer::No});
}

void RecordingPrompts::expectQuestion(std::string text, std::string title, Icon icon,
                                      Answer defaultAnswer, Answer reply) {
    expected_.push_back({{true, std::move(text), std::move(title), icon, defaultAnswer}, reply});
}

void RecordingPrompts::allowMessage(std::string title) {
    allowedTitles.push_back(std::move(title));
}

void RecordingPrompts::message(const std::string& text, const std::string& title, Icon icon) {
    take({false, text, title, icon, Answer::No});
}

Answer RecordingPrompts::question(const std::string& text, const std::string& title, Icon icon,
                                  Answer defaultAnswer) {
    return take({true, text, title, icon, defaultAnswer});
}

Answer RecordingPrompts::take(const Prompt& prompt) {
    shown.push_back(prompt);
    if (!expected_.empty() && expected_.front().prompt == prompt) {
        Answer reply = expected_.front().reply;
        expected_.pop_front();
        return reply;
    }
    bool allowed =
        std::find(allowedTitles.begin(), allowedTitles.end(), prompt.title) != allowedTitles.end();
    if (allowed && prompt.isQuestion)
        return allowedReply.value_or(prompt.defaultAnswer);
    if (!allowed) {
        ReportTestFailure("unexpected " + Describe(prompt) +
                          (expected_.empty() ? std::string(" (nothing expected)")
                                             : "; expected " + Describe(expected_.front().prompt)));
    }
    return Answer::No;
}

}  // namespace tolvane::testing
