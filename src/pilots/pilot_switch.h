#pragma once

#include <string>

#include "session/prompts.h"
#include "session/settings_store.h"
#include "text/fs_alias.h"

namespace tolvane {

// Remembers the pilot config.cfg names now in the setting "Last Pilot", decoded from the game's
// code page. Throws Error naming config.cfg when it cannot be read.
void SaveCurrentPilot(const fs::path& gameFolder, SettingsStore& store);

// Makes config.cfg name `name`, in the game's code page, telling the player first when
// `tellPlayer` is set. The file is replaced atomically and keeps its other lines. Throws Error
// naming config.cfg on failure.
void SetLastPilot(const fs::path& gameFolder, const std::string& name, Prompts& prompts,
                  bool tellPlayer);

}  // namespace tolvane
