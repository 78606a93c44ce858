#include "pilots/pilot_switch.h"

#include "pilots/config_cfg.h"
#include "platform/error.h"
#include "platform/file_io.h"

namespace tolvane {

std::filesystem::path gameFolderOf(const Settings& settings) {
    return std::filesystem::path(settings.gameExePath).parent_path();
}

void SaveCurrentPilot(Session& session) {
    session.loadSettings();
    std::filesystem::path config = configPath(gameFolderOf(session.settings));
    session.saveSetting(kLastPilotKey, pilotInConfig(InputFile(config).readAll()));
}

void SetLastPilot(Session& session, const std::string& name, bool tellPlayer) {
    session.loadSettings();
    std::filesystem::path config = configPath(gameFolderOf(session.settings));
    std::string text = InputFile(config).readAll();
    if (tellPlayer)
        session.prompts.message("Pilot " + name + " will be loaded.", "Switched Pilot",
                                Icon::Information);
    writeFileAtomically(config, withPilot(text, name));
}

}  // namespace tolvane
