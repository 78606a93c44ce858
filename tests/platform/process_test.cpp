#include "platform/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tolvane::testing {
namespace {

#ifndef _WIN32
// A program that Wine runs names its executable among its arguments; it counts as running until
// it ends, as the program this one started does. (Named apart from the game, so that no other
// test meets it.)
TEST(ProcessTest, TheGameIsKnownToRunUntilItEnds) {
    EXPECT_FALSE(ProgramIsRunning("TOLVANE-PROCESS-TEST.EXE"));
    RunningProgram game = StartDetached(
        "/bin/sh", {"-c", "sleep 0.5; true", "Z:\\Games\\XWA\\tolvane-process-test.exe"});
    EXPECT_TRUE(game.running());
    // Until the child has started the program, it still shows this one's arguments.
    bool seen = false;
    for (int wait = 0; wait < 100 && !(seen = ProgramIsRunning("TOLVANE-PROCESS-TEST.EXE")); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_TRUE(seen);
    for (int wait = 0; wait < 300 && game.running(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(game.running());
    EXPECT_FALSE(ProgramIsRunning("TOLVANE-PROCESS-TEST.EXE"));
    EXPECT_FALSE(RunningProgram().running());
}
#endif

}  // namespace
}  // namespace tolvane::testing
