#include "pilots/pilot_switch.h"

#include "pilots/config_cfg.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/file_moves.h"

namespace tolvane {

void SaveCurrentPilot(Session& session) {
    session.loadSettings();
    std::filesystem::path config = ConfigPath(GameFolderOf(session.settings));
    session.saveSetting(kLastPilotKey, PilotInConfig(InputFile(config).readAll()));
}

void SetLastPilot(Session& session, const std::string& name, bool tellPlayer) {
    session.loadSettings();
    std::filesystem::path config = ConfigPath(GameFolderOf(session.settings));
    std::string text = InputFile(config).readAll();
    if (tellPlayer)
        session.prompts.message("Pilot " + name + " will be loaded.", "Switched Pilot",
                                Icon::Information);
    WriteFileAtomically(config, WithPilot(text, name));
}

}  // namespace tolvane
