#include <gtest/gtest.h>

#include "session/settings.h"
#include "support/memory_settings_store.h"
#include "support/recording_prompts.h"
#include "support/sample_world.h"
#include "text/path_text.h"

namespace tolvane::testing {
namespace {

class LoadSettingsTest : public ::testing::Test {
  protected:
    void TearDown() override { std::filesystem::current_path(startFolder_); }
    MemorySettingsStore store;
    RecordingPrompts prompts;
    Settings settings;

  private:
    std::filesystem::path startFolder_ = std::filesystem::current_path();
};

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
