#include "demo_world.h"

#include <string>

#include "sample_world/sample_folders.h"
#include "sample_world/sample_packages.h"
#include "text/path_text.h"

namespace tolvane::demo {
namespace {

using sample::MakeGob;
using sample::MakeZt;
using sample::WriteFileBytes;

std::string Info(const std::string& name, const std::string& about) {
    return sample::PatchInfoText("Name: " + name, "Author: The Tolvane demo", "About: " + about);
}

std::string Pilot(const std::string& name) {
    std::string header = name;
    header.resize(12, '\0');
    return header + "a pilot file of the demo";
}

}  // namespace

DemoWorld MakeDemoWorld(const fs::path& folder) {
    DemoWorld world{folder / "X-Wing Alliance", folder / "ShipSets", folder / "Tolvane.ini"};
    WriteFileBytes(world.game / "XWINGALLIANCE.EXE",
                   "MZ: the demo's stand-in for the game's executable.");
    WriteFileBytes(world.game / "config.cfg", "lastpilot Red Nine\r\nwindowed 1\r\n");
    WriteFileBytes(world.game / "Red Nine.plt", Pilot("Red Nine"));
    WriteFileBytes(world.game / "Gold Leader.plt", Pilot("Gold Leader"));
    // The pilot's name inside the file is in the game's code page.
    WriteFileBytes(world.game / "J\xC3\xB6rg.plt", Pilot("J\xF6rg"));
    WriteFileBytes(world.game / "FLIGHT.LFD", "the game's own flight data");
    WriteFileBytes(world.game / "wave" / "ENGINE.WAV", "the game's own engine sound");

    WriteFileBytes(
        world.shipSets / "Blue Squadron.gob",
        MakeGob({{"PATCHINFO.TXT", Info("Blue Squadron", "New colours for the fighters.")},
                 {"FLIGHT.LFD", "Blue Squadron's flight data"},
                 {"wave\\ENGINE.WAV", "a louder engine"},
                 {"BLUE.LFD", "new craft"}}));
    WriteFileBytes(world.shipSets / "Flotte G\xC3\xA9n\xC3\xA9rale.gob",
                   MakeGob({{"PATCHINFO.TXT",
                             Info("Flotte G\xE9n\xE9rale", "Des vaisseaux pour la campagne.")},
                            {"FLOTTE\\CROISEUR.LFD", "a cruiser"},
                            {"FLOTTE\\FREGATE.LFD", "a frigate"},
                            {"zt\\flotte.zt", MakeZt({{0x10, "OK"}})}}));
    WriteFileBytes(world.shipSets / "Rookie Pilots.gob",
                   MakeGob({{"PATCHINFO.TXT", Info("Rookie Pilots", "A pilot file to start from.")},
                            {"Rookie.plt", Pilot("Rookie")}}));
    // A download cut short: listed under its file name, and its information says why.
    WriteFileBytes(world.shipSets / "TIE.gob", "GOB\n");

    return world;
}

void SaveDemoSettings(SettingsStore& store, const DemoWorld& world) {
    store.save(kVersionSection, kVersionKey, CurrentVersion());
    store.save(kSettingsSection, kGameExeKey, Utf8Of(world.game / "XWINGALLIANCE.EXE"));
    store.save(kSettingsSection, kShipSetDirKey, Utf8Of(world.shipSets / ""));
    store.save(kSettingsSection, kCutsceneKey, "0");
    store.save(kSettingsSection, kLastShipSetKey, kNoShipSet);
}

}  // namespace tolvane::demo
