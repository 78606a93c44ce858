#pragma once

#include <optional>
#include <string>

#include "platform/process.h"

namespace tolvane {

// A game start that ended at once with an error (no Wine, a folder cmd cannot reach, a failing
// Proton) never started the game: what to tell the player, with its exit code and the end of
// what its starter printed. Nothing for a game that was played.
std::optional<std::string> WhyTheGameNeverStarted(const RunningProgram& game);

}  // namespace tolvane
