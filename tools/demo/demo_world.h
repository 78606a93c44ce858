#pragma once

#include "session/settings.h"
#include "session/settings_store.h"
#include "text/fs_alias.h"

namespace tolvane::demo {

// Where the demo's game, ship sets and settings lie below its folder.
struct DemoWorld {
    fs::path game;      // holds XWINGALLIANCE.EXE, config.cfg, pilots, data and a wave folder
    fs::path shipSets;  // three sample ship sets of our own
    fs::path settings;  // the demo's own settings file, apart from the player's
};

// Makes a stand-in game folder and three sample ship sets below `folder`.
DemoWorld MakeDemoWorld(const fs::path& folder);

// Points the settings at the demo's game and ship sets, as accepted options would.
void SaveDemoSettings(SettingsStore& store, const DemoWorld& world);

}  // namespace tolvane::demo
