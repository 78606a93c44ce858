#pragma once

#include "session/prompts.h"
#include "session/settings.h"

namespace tolvane {

// "Version 2.5"
std::string VersionLabel();

// Starts the system's information tool: on Windows the one the registry names; elsewhere a
// desktop system-information program found on the PATH. Otherwise tells the player it is
// unavailable.
void StartSysInfo(Prompts& prompts);

}  // namespace tolvane
