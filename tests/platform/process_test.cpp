#include "platform/process.h"

#include <gtest/gtest.h>

#include "support/waiting.h"

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
    EXPECT_TRUE(WaitFor([&] { return ProgramIsRunning(name); }));
    EXPECT_TRUE(WaitFor([&] { return !game.running(); }));
    EXPECT_FALSE(ProgramIsRunning(name));
    EXPECT_FALSE(RunningProgram().running());
}
#endif

}  // namespace
}  // namespace tolvane::testing
