#include "pilots/pilot_switch.h"

#include "pilots/config_cfg.h"
#include "text/code_page.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "text/path_text.h"

namespace tolvane {

void SaveCurrentPilot(Session& session) {
    session.loadSettings();
    std::filesystem::path config = ConfigPath(GameFolderOf(session.settings));
    session.saveSetting(kLastPilotKey,
                        Utf8FromWindows1252(PilotInConfig(InputFile(config).readAll())));
}

void SetLastPilot(Session& session, const std::string& name, bool tellPlayer) {
    session.loadSettings();
    std::filesystem::path config = ConfigPath(GameFolderOf(session.settings));
    std::string text = InputFile(config).readAll();
    // The game reads its pilot's name in its own code page, byte for byte.
    std::optional<std::string> bytes = Windows1252FromUtf8(name);
    if (!bytes || bytes->find_first_of("\r\n") != std::string::npos) {
        throw Error("The pilot name " + name + " has a character that " + DisplayPath(config) +
                    " cannot hold.");
    }
    if (tellPlayer)
        session.prompts.message("Pilot " + name + " will be loaded.", "Switched Pilot",
                                Icon::Information);
    WriteConfig(config, WithPilot(text, *bytes));
}

}  // namespace tolvane
