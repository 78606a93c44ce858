#include "platform/process.h"

#include <gtest/gtest.h>

#include "support/waiting.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tolvane::testing {
namespace {

#ifndef _WIN32
// A program that Wine runs names its executable's path among its arguments; it counts as running
// until it ends, as the program this one started does. Another game folder's program of the same
// name does not count, and neither does whatever else runs on the machine.
TEST(ProcessTest, TheGameIsKnownToRunUntilItEnds) {
    std::string folder = "Z:\\Games\\XWA-" + std::to_string(::getpid()) + "\\";
    std::vector<std::string> ours = {
        "/elsewhere/XWINGALLIANCE.EXE",
        "z:/games/xwa-" + std::to_string(::getpid()) + "/xwingalliance.exe"};
    std::vector<std::string> another = {"Z:\\Games\\Other\\XWINGALLIANCE.EXE"};
    EXPECT_FALSE(ProgramIsRunning(ours));
    RunningProgram game =
        StartDetached("/bin/sh", {"-c", "sleep 0.5; exit 7", folder + "XWINGALLIANCE.EXE"});
    EXPECT_TRUE(game.running());
    // Until the child has started the program, it still shows this one's arguments.
    EXPECT_TRUE(WaitFor([&] { return ProgramIsRunning(ours); }));
    EXPECT_FALSE(ProgramIsRunning(another));
    EXPECT_TRUE(WaitFor([&] { return !game.running(); }));
    EXPECT_EQ(game.exitCode(), 7);
    EXPECT_FALSE(ProgramIsRunning(ours));
    EXPECT_FALSE(RunningProgram().running());
}
#endif

}  // namespace
}  // namespace tolvane::testing
