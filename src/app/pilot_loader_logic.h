#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/main_window_logic.h"
#include "session/session.h"

namespace tolvane {

// The pilot loader's load step: the pilot names of the game folder. Pilot files that cannot be
// read are named in one message and left out.
std::vector<std::string> LoadPilotList(const fs::path& gameFolder, Prompts& prompts);

// The pilot config.cfg names now, which the loader opens with chosen; empty when it cannot tell.
std::string CurrentPilot(const fs::path& gameFolder);

// The pilot switch of "Load Pilot": remembers the pilot of before the launch in "Last Pilot",
// notes the switch in the journal, and makes config.cfg name `name` (telling the player first
// when `tellPlayer` is set). Throws Error naming what failed.
void SwitchPilot(Session& session, const std::string& name, bool tellPlayer);

// "&Load Pilot": remembers the current pilot, makes config.cfg name the chosen one (telling the
// player), hides the loader, starts the game and brings back the launch button. A failure is
// told to the player, who can then close the cycle; false then. The loader is hidden either way.
bool LoadPilot(Session& session, MainWindowLogic& mainWindow, const std::string& name,
               const std::function<void()>& hideLoader);

}  // namespace tolvane
