#include <gtest/gtest.h>

#include "pilots/config_cfg.h"

namespace tolvane::testing {
namespace {

TEST(ConfigCfgTest, OnlyTheFirstLineChanges) {
    const std::pair<std::string, std::string> cases[] = {
        {"lastpilot Ace\r\nx\r\ny\r\n", "lastpilot Nova\r\nx\r\ny\r\n"},
        {"lastpilot Ace\r\n", "lastpilot Nova\r\n"},
        {"lastpilot Ace", "lastpilot Nova\r\n"},
        {"", "lastpilot Nova\r\n"},
        {"lastpilot Ace\r\nx\r\n\r\ny\r\n", "lastpilot Nova\r\nx\r\n\r\ny\r\n"},
        {"lastpilot Ace\r\n  spaced, \"quoted\", comma\r\nno newline at end",
         "lastpilot Nova\r\n  spaced, \"quoted\", comma\r\nno newline at end"},
    };
    for (const auto& [before, after] : cases)
        EXPECT_EQ(WithPilot(before, "Nova"), after);
}

TEST(ConfigCfgTest, ThePilotIsTheFirstItemAfterItsLabel) {
    EXPECT_EQ(PilotInConfig("lastpilot Ace\r\nx\r\n"), "Ace");
    EXPECT_EQ(PilotInConfig("lastpilot Red Nine, extra\r\n"), "Red Nine");
    EXPECT_EQ(PilotInConfig("lastpilot \r\n"), "");
    EXPECT_EQ(PilotInConfig(""), "");
    // A quote left open on the first line ends with that line.
    EXPECT_EQ(PilotInConfig("\"lastpilot J\xF6rg, `te sec`te \nsecond\n"), "J\xF6rg, `te sec`te ");
}

}  // namespace
}  // namespace tolvane::testing
