#pragma once

#include <string>

#include "session/program_folders.h"
#include "session/prompts.h"
#include "session/settings.h"
#include "session/settings_store.h"

namespace tolvane {

// What the windows' handlers share: the settings store, the player's message boxes, the settings
// as read at start-up and after the options are accepted, and the program's own folders. The
// launch cycle's procedures use all of it; every other procedure takes only what it uses.
struct Session {
    Session(SettingsStore& store, Prompts& prompts, fs::path programFolder, fs::path userDataFolder)
        : store(store),
          prompts(prompts),
          folders{std::move(programFolder), std::move(userDataFolder)} {}

    // Only start-up and accepted options read the settings; everything else uses them as read.
    void loadSettings() { LoadSettings(store, prompts, settings); }
    std::string setting(const char* key) const { return store.get(kSettingsSection, key); }
    // Throws Error naming the setting when the store cannot keep it.
    void saveSetting(const char* key, const std::string& value) {
        store.save(kSettingsSection, key, value);
    }

    SettingsStore& store;
    Prompts& prompts;
    Settings settings;
    ProgramFolders folders;
    // A Steam copy of the game started without Proton is told of once a run, not at every start.
    bool toldOfNoProton = false;
};

}  // namespace tolvane
