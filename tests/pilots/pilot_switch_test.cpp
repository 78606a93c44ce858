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

}  // namespace
}  // namespace tolvane::testing
