#pragma once

#include <functional>

#include "session/prompts.h"

namespace tolvane {

// Every slot and event handler of every window runs through here, as the last line of defence:
// an error nobody foresaw (a file system error, memory running out) is told in a message box
// instead of ending the program in the middle of a cycle, and `afterwards` then leaves the
// window where the cycle can still be closed. The journal keeps what happened to the game
// folder until then.
void RunGuarded(Prompts& prompts, const std::function<void()>& handler,
                const std::function<void()>& afterwards = {});

// A slot that runs `handler` guarded, whatever the signal passes.
template <typename Handler>
auto Guarded(Prompts& prompts, Handler handler, std::function<void()> afterwards = {}) {
    return [&prompts, handler, afterwards](auto&&...) { RunGuarded(prompts, handler, afterwards); };
}

}  // namespace tolvane
