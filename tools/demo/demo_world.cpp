#include "demo_world.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "text/path_text.h"

namespace tolvane::demo {
namespace {

using Members = std::vector<std::pair<std::string, std::string>>;

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A GOB package: "GOB", the member count at byte 12, 136-byte directory entries, then the data.
std::string Gob(const Members& members) {
    std::string bytes(16 + 136 * members.size(), '\0');
    bytes.replace(0, 4, "GOB\x0A");
    Put32(bytes, 12, static_cast<std::uint32_t>(members.size()));
    for (std::size_t i = 0; i < members.size(); ++i) {
        std::size_t entry = 16 + 136 * i;
        Put32(bytes, entry, static_cast<std::uint32_t>(bytes.size()));
        Put32(bytes, entry + 4, static_cast<std::uint32_t>(members[i].second.size()));
        bytes.replace(entry + 8, members[i].first.size(), members[i].first);
        bytes += members[i].second;
    }
    return bytes;
}

std::string Info(const std::string& name, const std::string& about) {
    return "Name: " + name + "\r\nAuthor: The Tolvane demo\r\nEmail: none\r\nWebsite: none\r\n" +
           "About: " + about + "\r\n";
}

std::string Pilot(const std::string& name) {
    std::string header = name;
    header.resize(12, '\0');
    return header + "a pilot file of the demo";
}

}  // namespace

DemoWorld MakeDemoWorld(const fs::path& folder) {
    DemoWorld world{folder / "X-Wing Alliance", folder / "ShipSets", folder / "Tolvane.ini"};
    Write(world.game / "XWINGALLIANCE.EXE", "The demo's stand-in for the game's executable.");
    Write(world.game / "config.cfg", "lastpilot Red Nine\r\nwindowed 1\r\n");
    Write(world.game / "Red Nine.plt", Pilot("Red Nine"));
    Write(world.game / "Gold Leader.plt", Pilot("Gold Leader"));
    Write(world.game / "J\xC3\xB6rg.plt", Pilot("J\xF6rg"));  // the game's code page
    Write(world.game / "FLIGHT.LFD", "the game's own flight data");
    Write(world.game / "wave" / "ENGINE.WAV", "the game's own engine sound");

    Write(world.shipSets / "Blue Squadron.gob",
          Gob({{"PATCHINFO.TXT", Info("Blue Squadron", "New colours for the fighters.")},
               {"FLIGHT.LFD", "Blue Squadron's flight data"},
               {"wave\\ENGINE.WAV", "a louder engine"},
               {"BLUE.LFD", "new craft"}}));
    Write(world.shipSets / "Flotte G\xC3\xA9n\xC3\xA9rale.gob",
          Gob({{"PATCHINFO.TXT", Info("Flotte G\xE9n\xE9rale", "Des vaisseaux pour la campagne.")},
               {"FLOTTE\\CROISEUR.LFD", "a cruiser"},
               {"FLOTTE\\FREGATE.LFD", "a frigate"},
               {"zt\\flotte.zt", std::string("ZTPATCH-HEADR\x01\x00\x10\x00\x00\x00\x02OK", 22)}}));
    Write(world.shipSets / "Rookie Pilots.gob",
          Gob({{"PATCHINFO.TXT", Info("Rookie Pilots", "A pilot file to start from.")},
               {"Rookie.plt", Pilot("Rookie")}}));

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
