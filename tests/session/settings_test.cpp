#include <gtest/gtest.h>

#include "session/settings.h"
#include "support/memory_settings_store.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace tolvane::testing {
namespace {

const char* kFirstRun =
    "Either this is the first time you have run Tolvane, or something has happened to the "
    "registry settings.  Either way, you'll have to setup the options.";
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

TEST_F(LoadSettingsTest, FirstRunAsksForTheOptionsEveryTimeAndKeepsTheCurrentFolder) {
    auto before = std::filesystem::current_path();
    prompts.expectMessage(kFirstRun, "Uh-oh", Icon::Exclamation);
    prompts.expectMessage(kFirstRun, "Uh-oh", Icon::Exclamation);
    LoadSettings(store, prompts, settings);
    LoadSettings(store, prompts, settings);
    EXPECT_TRUE(settings.optionsNeeded);
    EXPECT_EQ(settings.gameExePath, "");
    EXPECT_EQ(settings.shipSetDir, "");
    EXPECT_EQ(settings.showCutscene, "0");
    EXPECT_EQ(std::filesystem::current_path(), before);
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
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), ships.path()));
}

TEST_F(LoadSettingsTest, AMissingShipSetDirectoryKeepsThePreviousCurrentFolder) {
    auto before = std::filesystem::current_path();
    store.save("Version", "Ordell Version", "2.5");
    store.save("Settings", "ShipSet Dir", "/no/such/folder/");
    LoadSettings(store, prompts, settings);
    EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST_F(LoadSettingsTest, ACutsceneValueBecomesTheTextOfItsLeadingNumber) {
    store.save("Version", "Ordell Version", "2.5");
    const std::pair<const char*, const char*> cases[] = {
        {"1", "1"},   {"", "0"},  {"0", "0"},   {"1abc", "1"}, {"  1", "1"},
        {"abc", "0"}, {"2", "2"}, {"1.0", "1"}, {"-1", "-1"},  {"0.5x", "0.5"}};
    for (auto [stored, expected] : cases) {
        store.save("Settings", "Show Opening Cutscene", stored);
        LoadSettings(store, prompts, settings);
        EXPECT_EQ(settings.showCutscene, expected) << "stored \"" << stored << "\"";
    }
}

}  // namespace
}  // namespace tolvane::testing
