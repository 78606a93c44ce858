#include "pilots/pilot_switch.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {
namespace {

TEST(PilotSwitchTest, ANameThatWouldBreakTheLineIsRefused) {
    StandInGame game;
    for (const char* name : {"Ace\r\nwindowed 0", "Ace\nx", "\xE4\xB8\xAD"}) {
        EXPECT_THROW(SetLastPilot(game.game(), name, game.prompts, false), Error) << name;
        EXPECT_EQ(ReadFileBytes(game.game() / "config.cfg"), "lastpilot Ace\r\nwindowed 1\r\n");
    }
}

TEST(PilotSwitchTest, SavesTheCurrentPilotAndWritesTheNewOneRepeatedly) {
    StandInGame game;
    SaveCurrentPilot(game.game(), game.store);
    EXPECT_EQ(game.store.get("Settings", "Last Pilot"), "Ace");
    for (int i = 0; i < 10; ++i)
        SetLastPilot(game.game(), "Nova", game.prompts, false);
    EXPECT_EQ(ReadFileBytes(game.game() / "config.cfg"), "lastpilot Nova\r\nwindowed 1\r\n");
    game.prompts.expectMessage("Pilot Nova will be loaded.", "Switched Pilot", Icon::Information);
    SetLastPilot(game.game(), "Nova", game.prompts, true);
}

TEST(PilotSwitchTest, AMissingConfigIsAnErrorNamingTheFile) {
    StandInGame game;
    std::filesystem::remove(game.game() / "config.cfg");
    EXPECT_THROW(SaveCurrentPilot(game.game(), game.store), Error);
    try {
        SetLastPilot(game.game(), "Nova", game.prompts, true);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find((game.game() / "config.cfg").string()),
                  std::string::npos);
    }
    EXPECT_TRUE(game.prompts.shown.empty()) << "told of a switch that cannot happen";
    EXPECT_FALSE(std::filesystem::exists(game.game() / "config.cfg"));
}

}  // namespace
}  // namespace tolvane::testing
