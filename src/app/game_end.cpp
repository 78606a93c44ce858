#include "app/game_end.h"

#include <cstdint>

#include "platform/error.h"
#include "platform/file_handles.h"

namespace tolvane {

namespace {

// What a starter's exit code says where it says something: cmd's, a Linux shell's, Windows'.
std::string MeaningOf(int code) {
    switch (static_cast<std::uint32_t>(code)) {
        case 9009:
            return " (cmd found no such program)";
        case 126:
            return " (the starter was found but could not be run)";
        case 127:
            return " (no such starter program was found)";
        case 0xC0000135:
            return " (a library the program needs is missing)";
        case 0xC0000005:
            return " (the program crashed)";
        default:
            return "";
    }
}

}  // namespace

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
           std::to_string(*game.exitCode()) + MeaningOf(*game.exitCode()) + "." +
           (printed.empty() ? "" : "  Its starter printed:\r" + printed);
}

}  // namespace tolvane
