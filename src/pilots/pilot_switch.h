#pragma once

#include <filesystem>
#include <string>

#include "session/session.h"

namespace tolvane {

// Remembers the pilot config.cfg names now in the setting "Last Pilot", decoded from the game's
// code page. Throws Error naming config.cfg when it cannot be read.
void SaveCurrentPilot(Session& session);

// Makes config.cfg name `name`, in the game's code page, telling the player first when
// `tellPlayer` is set. The file is replaced atomically and keeps its other lines. Throws Error
// naming config.cfg on failure.
void SetLastPilot(Session& session, const std::string& name, bool tellPlayer);

}  // namespace tolvane
