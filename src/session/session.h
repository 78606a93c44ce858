#pragma once

#include <filesystem>
#include <string>

#include "session/prompts.h"
#include "session/settings.h"
#include "session/settings_store.h"

namespace tolvane {

// What every procedure shares: the settings store, the player's message boxes, the settings as
// last loaded, and the program's own folders.
struct Session {
    Session(SettingsStore& store, Prompts& prompts, std::filesystem::path programFolder,
            std::filesystem::path userDataFolder)
        : store(store),
          prompts(prompts),
          programFolder(std::move(programFolder)),
          userDataFolder(std::move(userDataFolder)) {}

    void loadSettings() { LoadSettings(store, prompts, settings); }
    std::string setting(const char* key) const { return store.get(kSettingsSection, key); }
    // Throws Error naming the setting when the store cannot keep it.
    void saveSetting(const char* key, const std::string& value) {
        store.save(kSettingsSection, key, value);
    }

    SettingsStore& store;
    Prompts& prompts;
    Settings settings;
    // Where the program runs from, and the per-user folder for when that is not writable.
    std::filesystem::path programFolder;
    std::filesystem::path userDataFolder;
};

}  // namespace tolvane
