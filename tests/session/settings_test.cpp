#include <gtest/gtest.h>

#include "session/settings.h"
#include "support/memory_settings_store.h"
#include "support/recording_prompts.h"
#include "support/sample_world.h"
#include "text/path_text.h"

namespace tolvane::testing {
namespace {

#ifdef _WIN32
const char* kFirstRun =
    "Either this is the first time you have run Tolvane, or something has happened to the "
    "registry settings.  Either way, you'll have to setup the options.";
#else
const char* kFirstRun =
    "Either this is the first time you have run Tolvane, or something has happened to the "
    "settings.  Either way, you'll have to setup the options.";
#endif
const char* kNewVersion =
    "You have downloaded a new version of Tolvane, good for you.  You need to set up the options "
    "again.";

class LoadSettingsTest : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::current_path(startFolder_); }
    MemorySettingsStore store;
    RecordingPrompts prompts;
    Settings settings;

  private:
    std::filesystem::path startFolder_ = std::filesystem::current_path();
};

TEST_F(LoadSettingsTest, FirstRunAsksForTheOptionsEveryTime) {
    prompts.expectMessage(kFirstRun, "Uh-oh", Icon::Exclamation);
    prompts.expectMessage(kFirstRun, "Uh-oh", Icon::Exclamation);
    LoadSettings(store, prompts, settings);
    LoadSettings(store, prompts, settings);
    EXPECT_TRUE(settings.optionsNeeded);
    EXPECT_EQ(settings.gameExePath, "");
    EXPECT_EQ(settings.shipSetDir, "");
    EXPECT_FALSE(settings.skipIntro);
}

TEST_F(LoadSettingsTest, TheVersionIsComparedAsText) {
    store.save("Version", "Ordell Version", "2.05");
    prompts.expectMessage(kNewVersion, "New Version Detected", Icon::Information);
    LoadSettings(store, prompts, settings);
    EXPECT_TRUE(settings.optionsNeeded);
}

TEST_F(LoadSettingsTest, CurrentSettingsEnterTheShipSetDirectory) {
    TempFolder ships;
    store.save("Version", "Ordell Version", "2.5");
    store.save("Settings", "ShipSet Dir", ships.path().string() + "/");
    store.save("Settings", "XWA Exe", "/games/xwa/XWINGALLIANCE.EXE");
    LoadSettings(store, prompts, settings);
    EXPECT_FALSE(settings.optionsNeeded);
    EXPECT_EQ(settings.gameExePath, "/games/xwa/XWINGALLIANCE.EXE");
    EnterShipSetFolder(settings);
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), ships.path()));
}

TEST_F(LoadSettingsTest, AMissingShipSetDirectoryKeepsThePreviousCurrentFolder) {
    auto before = std::filesystem::current_path();
    store.save("Version", "Ordell Version", "2.5");
    store.save("Settings", "ShipSet Dir", "/no/such/folder/");
    LoadSettings(store, prompts, settings);
    EnterShipSetFolder(settings);
    EXPECT_EQ(std::filesystem::current_path(), before);
}

// The intro is skipped when the stored value's leading number is 1, however it is written.
TEST_F(LoadSettingsTest, TheIntroIsSkippedWhenTheLeadingNumberIsOne) {
    store.save("Version", "Ordell Version", "2.5");
    const std::pair<const char*, bool> cases[] = {
        {"1", true},    {"", false},  {"0", false},  {"1abc", true}, {"  1", true},
        {"abc", false}, {"2", false}, {"1.0", true}, {"-1", false},  {"0.5x", false}};
    for (auto [stored, expected] : cases) {
        store.save("Settings", "Show Opening Cutscene", stored);
        LoadSettings(store, prompts, settings);
        EXPECT_EQ(settings.skipIntro, expected) << "stored \"" << stored << "\"";
    }
}

// A ship set played here is known by its whole file name, not by the end of a longer one.
TEST(PlayedShipSetsTest, OnlyAWholeNameCounts) {
    MemorySettingsStore store;
    NotePlayedHere(store, "/ships/DarkBlue.gob");
    NotePlayedHere(store, "/ships/Red.gob");
    NotePlayedHere(store, "/elsewhere/Red.gob");
    EXPECT_EQ(store.get("Settings", "Played ShipSets"), "DarkBlue.gob|Red.gob|");
    EXPECT_TRUE(PlayedHere(store, "/ships/Red.gob"));
    EXPECT_FALSE(PlayedHere(store, "/ships/Blue.gob"));
    EXPECT_FALSE(PlayedHere(store, "/ships/Dark.gob"));
}

#ifdef _WIN32
// Windows paths as the player stores them, joined with backslashes.
TEST(SettingsFoldersTest, WindowsPathsJoinWithBackslashes) {
    Settings settings;
    settings.gameExePath = "C:\\Games\\XWA\\XWINGALLIANCE.EXE";
    settings.shipSetDir = "C:\\Ships\\";
    EXPECT_EQ(DisplayPath(GameFolderOf(settings)), "C:\\Games\\XWA");
    EXPECT_EQ(DisplayPath(BackupFolderOf(settings)), "C:\\Ships\\Backup");
    EXPECT_EQ(DisplayPath(GameFolderOf(settings) / "wave" / "X.WAV"),
              "C:\\Games\\XWA\\wave\\X.WAV");
}
#endif

}  // namespace
}  // namespace tolvane::testing
