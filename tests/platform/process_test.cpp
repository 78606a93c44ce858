#include "platform/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tolvane::testing {
namespace {

#ifndef _WIN32
// A game that Wine runs names its executable among its arguments; it counts as running until it
// ends, as the program this one started does.
TEST(ProcessTest, TheGameIsKnownToRunUntilItEnds) {
    EXPECT_FALSE(ProgramIsRunning("XWINGALLIANCE.EXE"));
    RunningProgram game =
        StartDetached("/bin/sh", {"-c", "sleep 0.5; true", "Z:\\Games\\XWA\\xwingalliance.exe"});
    EXPECT_TRUE(game.running());
    // Until the child has started the program, it still shows this one's arguments.
    bool seen = false;
    for (int wait = 0; wait < 100 && !(seen = ProgramIsRunning("XWINGALLIANCE.EXE")); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_TRUE(seen);
    for (int wait = 0; wait < 300 && game.running(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(game.running());
    EXPECT_FALSE(ProgramIsRunning("XWINGALLIANCE.EXE"));
    EXPECT_FALSE(RunningProgram().running());
}
#endif

}  // namespace
}  // namespace tolvane::testing
