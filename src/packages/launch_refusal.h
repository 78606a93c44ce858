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

// A failure's own text, and that nothing has changed: how every launch that stops before its
// first change tells why.
inline std::string NothingChanged(const std::string& why) {
    return why + "\r\rNothing has been changed.";
}

}  // namespace tolvane
