#pragma once

#include <string>

#include "session/prompts.h"

namespace tolvane {

// Why a launch cannot start, as the box that tells the player; nothing has changed.
struct LaunchRefusal {
    std::string text;
    std::string title;
    Icon icon = Icon::Exclamation;
};

}  // namespace tolvane
