#include "game_start/game_start.h"

#include <gtest/gtest.h>

#include "support/sample_world.h"

namespace tolvane::testing {
namespace {

// How the game starts is decided only where Windows does not start it itself.
#ifndef _WIN32

// Made-up trees of files: a path ending in "/" is a folder, anything else a file with `text`.
void Make(const fs::path& root, const std::vector<std::pair<std::string, std::string>>& entries) {
    for (const auto& [name, text] : entries) {
        if (name.ends_with("/"))
            fs::create_directories(root / name);
        else
            WriteFileBytes(root / name, text);
    }
}

std::string Manifest(const std::string& folder) {
    return "\"AppState\"\n{\n\t\"appid\"\t\t\"361670\"\n\t\"installdir\"\t\t\"" + folder +
           "\"\n}\n";
}

const char* kExe = "XWINGALLIANCE.EXE";

TEST(GameStartTest, DecidedFromWhereTheExecutableLies) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> tree;
        std::string executable;  // below the root
        Starter starter;
        std::string description;          // ROOT stands for the root
        std::string windowsExePath = "";  // empty: the host's path as Wine's Z: drive shows it
    };
    const std::string steamGame = "Library/steamapps/common/Star Wars X-Wing Alliance/";
    const Case cases[] = {
        {"a prefix",
         {{"Games/xwa/system.reg", ""}, {"Games/xwa/drive_c/XWA/", ""}},
         "Games/xwa/drive_c/XWA/",
         Starter::WinePrefix,
         "Wine, prefix ~/Games/xwa",
         "C:\\XWA\\XWINGALLIANCE.EXE"},
        {"a prefix three folders up",
         {{"p/system.reg", ""}, {"p/drive_c/GOG Games/X-Wing/Alliance/", ""}},
         "p/drive_c/GOG Games/X-Wing/Alliance/",
         Starter::WinePrefix,
         "Wine, prefix ~/p",
         "C:\\GOG Games\\X-Wing\\Alliance\\XWINGALLIANCE.EXE"},
        {"a drive_c whose parent has no system.reg",
         {{"p/user.reg", ""}, {"p/drive_c/XWA/", ""}},
         "p/drive_c/XWA/",
         Starter::WineDefault,
         "Wine, default prefix"},
        {"a Steam library with two manifests",
         {{"Library/steamapps/appmanifest_10.acf", Manifest("Other Game")},
          {"Library/steamapps/appmanifest_361670.acf", Manifest("Star Wars X-Wing Alliance")},
          {steamGame, ""},
          {"Library/steamapps/compatdata/361670/config_info",
           "9.0-200\nROOT/Library/steamapps/common/Proton 9.0/files/share/fonts/\n"},
          {"Library/steamapps/common/Proton 9.0/proton", ""},
          {"Library/steamapps/common/Proton 10.0/proton", ""}},
         steamGame,
         Starter::Proton,
         "Proton 9.0 (Steam)"},
        {"a library whose manifest names another folder",
         {{"Library/steamapps/appmanifest_10.acf", Manifest("Other Game")},
          {steamGame, ""},
          {"Library/steamapps/common/Proton 9.0/proton", ""}},
         steamGame,
         Starter::WineDefault,
         "Wine, default prefix"},
        {"Proton by the newest in common, the manifest in other letter case",
         {{"Library/steamapps/appmanifest_361670.acf", Manifest("STAR WARS X-Wing Alliance")},
          {steamGame, ""},
          {"Library/steamapps/common/Proton 8.0/proton", ""},
          {"Library/steamapps/common/Proton 10.0/proton", ""},
          {"Library/steamapps/common/Proton 9.0/proton", ""}},
         steamGame,
         Starter::Proton,
         "Proton 10.0 (Steam)"},
        {"Proton from compatibilitytools.d",
         {{"Library/steamapps/appmanifest_361670.acf", Manifest("Star Wars X-Wing Alliance")},
          {steamGame, ""},
          {"Home/.local/share/Steam/compatibilitytools.d/GE-Proton9-20/proton", ""}},
         steamGame,
         Starter::Proton,
         "GE-Proton9-20 (Steam)"},
        {"no Proton at all",
         {{"Library/steamapps/appmanifest_361670.acf", Manifest("Star Wars X-Wing Alliance")},
          {steamGame, ""}},
         steamGame,
         Starter::SteamPrefix,
         "Wine, prefix ROOT/Library/steamapps/compatdata/361670/pfx (no Proton found)"},
        {"neither",
         {{"Games/XWA/", ""}},
         "Games/XWA/",
         Starter::WineDefault,
         "Wine, default prefix"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder root;
        std::vector<std::pair<std::string, std::string>> tree = c.tree;
        for (auto& [name, text] : tree) {
            if (std::size_t at = text.find("ROOT"); at != std::string::npos)
                text.replace(at, 4, root.path().string());
        }
        Make(root.path(), tree);
        fs::path executable = root.path() / c.executable / kExe;
        WriteFileBytes(executable, "game");
        GameStart start = DecideGameStart(executable, "", root.path() / "Home");
        EXPECT_EQ(start.starter, c.starter);
        std::string description = c.description;
        if (std::size_t at = description.find("ROOT"); at != std::string::npos)
            description.replace(at, 4, root.path().string());
        // The home folder of this case is the root itself where the description says "~".
        if (description.find('~') != std::string::npos)
            start = DecideGameStart(executable, "", root.path());
        EXPECT_EQ(start.description, description);
        if (c.windowsExePath.empty()) {
            EXPECT_EQ(start.windowsExePath.find("Z:\\"), 0u) << start.windowsExePath;
            EXPECT_TRUE(start.windowsExePath.ends_with("\\XWINGALLIANCE.EXE"));
        } else {
            EXPECT_EQ(start.windowsExePath, c.windowsExePath);
        }
    }
}

#endif

}  // namespace
}  // namespace tolvane::testing
