#include "platform/process.h"

#include <gtest/gtest.h>

#include "support/sample_world.h"
#include "support/waiting.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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

    // Another user's run of a game at the same path is not this player's game.
    if (::getuid() != 0)
        return;  // only root can start a process as another user
    pid_t other = ::fork();
    if (other == 0) {
        if (::setgid(65534) == 0 && ::setuid(65534) == 0)
            ::execl("/bin/sh", "sh", "-c", "sleep 5", (folder + "XWINGALLIANCE.EXE").c_str(),
                    static_cast<char*>(nullptr));
        ::_exit(1);
    }
    std::string cmdline = "/proc/" + std::to_string(other) + "/cmdline";
    EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(cmdline).find("XWA-") != std::string::npos; }));
    EXPECT_FALSE(ProgramIsRunning(ours));
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
}
#endif

}  // namespace
}  // namespace tolvane::testing
