#include "pilots/pilot_switch.h"

#include "pilots/config_cfg.h"
#include "platform/error.h"
#include "platform/file_handles.h"
#include "session/settings.h"
#include "text/code_page.h"
#include "text/path_text.h"

namespace tolvane {

void SaveCurrentPilot(const fs::path& gameFolder, SettingsStore& store) {
    fs::path config = ConfigPath(gameFolder);
    store.save(kSettingsSection, kLastPilotKey,
               Utf8FromWindows1252(PilotInConfig(InputFile(config).readAll())));
}

void SetLastPilot(const fs::path& gameFolder, const std::string& name, Prompts& prompts,
                  bool tellPlayer) {
    fs::path config = ConfigPath(gameFolder);
    std::string text = InputFile(config).readAll();
    // The game reads its pilot's name in its own code page, byte for byte.
    std::optional<std::string> bytes = Windows1252FromUtf8(name);
    if (!bytes || bytes->find_first_of("\r\n") != std::string::npos) {
        throw Error("The pilot name " + name + " has a character that " + DisplayPath(config) +
                    " cannot hold.");
    }
    if (tellPlayer)
        prompts.message("Pilot " + name + " will be loaded.", "Switched Pilot", Icon::Information);
    WriteConfig(config, WithPilot(text, *bytes));
}

}  // namespace tolvane
