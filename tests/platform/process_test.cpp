#include "platform/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tolvane::testing {
namespace {

#ifndef _WIN32
// A program that Wine runs names its executable among its arguments; it counts as running until
// it ends, as the program this one started does.
TEST(ProcessTest, TheGameIsKnownToRunUntilItEnds) {
    // A name of this test's own, which no other test run on the machine can show.
    std::string name = "tolvane-process-test-" + std::to_string(::getpid()) + ".exe";
    EXPECT_FALSE(ProgramIsRunning(name));
    RunningProgram game =
        StartDetached("/bin/sh", {"-c", "sleep 0.5; true", "Z:\\Games\\XWA\\" + name});
    EXPECT_TRUE(game.running());
    // Until the child has started the program, it still shows this one's arguments.
    bool seen = false;
    for (int wait = 0; wait < 100 && !(seen = ProgramIsRunning(name)); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    EXPECT_TRUE(seen);
    for (int wait = 0; wait < 300 && game.running(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(game.running());
    EXPECT_FALSE(ProgramIsRunning(name));
    EXPECT_FALSE(RunningProgram().running());
}
#endif

}  // namespace
}  // namespace tolvane::testing
