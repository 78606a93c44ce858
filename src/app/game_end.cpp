#include "app/game_end.h"

#include <cstdint>

#include "platform/error.h"
#include "platform/file_handles.h"

namespace tolvane {

std::optional<std::string> WhyTheGameNeverStarted(const RunningProgram& game) {
    constexpr double kAtOnce = 15;          // seconds: no game is played in less
    constexpr std::uint64_t kShown = 2000;  // the end of what it printed, where the error is
    if (!game.exitCode() || *game.exitCode() == 0 || game.seconds() > kAtOnce)
        return std::nullopt;
    std::string printed;
    try {
        if (!game.output().empty()) {
            InputFile output(game.output());
            std::uint64_t from = output.size() > kShown ? output.size() - kShown : 0;
            printed = output.readAt(from, static_cast<std::size_t>(output.size() - from));
        }
    } catch (const Error&) {
        // Nothing printed to show: the exit code is told all the same.
    }
    return "The game ended as soon as it was started, with exit code " +
           std::to_string(*game.exitCode()) + "." +
           (printed.empty() ? "" : "  Its starter printed:\r" + printed);
}

}  // namespace tolvane
