#include "app/about.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "support/environment.h"
#include "support/recording_prompts.h"
#include "support/sample_world.h"
#include "support/waiting.h"

namespace tolvane::testing {
namespace {

// Runs with PATH pointing at `folder` only, then puts PATH back.
void WithPath(const std::filesystem::path& folder, const std::function<void()>& work) {
    ScopedEnvironment path("PATH", folder.string());
    work();
}

TEST(StartSysInfoTest, WithoutAToolThePlayerIsTold) {
    TempFolder empty;
    RecordingPrompts prompts;
    prompts.expectMessage("System Information Is Unavailable At This Time", "Tolvane", Icon::None);
    WithPath(empty.path(), [&] { StartSysInfo(prompts); });
}

TEST(StartSysInfoTest, ADesktopSystemInformationProgramIsStarted) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows starts the tool the registry names, not one found on the PATH";
#endif
    TempFolder tools;
    WriteFileBytes(tools / "hardinfo",
                   "#!/bin/sh\n/usr/bin/touch '" + (tools / "started").string() + "'\n");
    std::filesystem::permissions(tools / "hardinfo", std::filesystem::perms::owner_all);
    RecordingPrompts prompts;
    WithPath(tools.path(), [&] { StartSysInfo(prompts); });
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(tools / "started"); }));
}

}  // namespace
}  // namespace tolvane::testing
