#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>

#include "game_start/game_start.h"
#include "game_start/run_batch.h"
#include "platform/error.h"
#include "support/environment.h"
#include "support/stand_in_game.h"
#include "support/waiting.h"

namespace tolvane::testing {
namespace {

TEST(RunBatchTest, WritesTheFourLines) {
    struct Case {
        const char* exePath;
        bool skipIntro;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Games\\XWA\\XWINGALLIANCE.EXE", true,
         "REM Do not delete this file!\r\nC:\r\ncd \"C:\\Games\\XWA\"\r\nXWINGALLIANCE.EXE "
         "/skipintro\r\n"},
        {"C:\\Program Files\\XWA\\XWingAlliance.exe", false,
         "REM Do not delete this file!\r\nC:\r\ncd \"C:\\Program Files\\XWA\"\r\n"
         "XWingAlliance.exe\r\n"},
        {"D:\\XWINGALLIANCE.EXE", true,
         "REM Do not delete this file!\r\nD:\r\ncd \"D:\\\"\r\nXWINGALLIANCE.EXE /skipintro\r\n"},
        {"C:\\Games\\100% XWA %PATH%\\XWINGALLIANCE.EXE", false,
         "REM Do not delete this file!\r\nC:\r\ncd \"C:\\Games\\100%% XWA %%PATH%%\"\r\n"
         "XWINGALLIANCE.EXE\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunBatchText(c.exePath, c.skipIntro), c.expected) << c.exePath;
}

// A program folder the player cannot write to, or a system one (where root could write), leaves
// RunXWA.bat to the player's data folder.
TEST(RunBatchTest, AnInstalledProgramWritesIntoThePlayersDataFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the game is started by cmd.exe, with no runner to stand in";
#endif
    const std::filesystem::path inSystemFolder = "/usr/bin/RunXWA.bat";
    if (std::filesystem::exists(inSystemFolder))
        GTEST_SKIP() << inSystemFolder << " is there already: nobody can tell whose it is";
    for (bool system : {false, true}) {
        StandInGame game;
        WriteFileBytes(game.program() / "not-a-folder", "x");
        game.session.folders.program =
            system ? std::filesystem::path("/usr/bin") : game.program() / "not-a-folder";
        std::filesystem::path batch;
        {
            ScopedEnvironment runner("TOLVANE_BATCH_RUNNER", "/bin/true");
            batch = RunGame(game.session, RunBatchPlace::BesideProgram).batch;
        }
        EXPECT_EQ(batch, game.session.folders.userData / "RunXWA.bat");
        if (std::filesystem::exists(inSystemFolder)) {
            ADD_FAILURE() << "written into " << inSystemFolder;
            std::filesystem::remove(inSystemFolder);  // as root it could be; leave no trace
        }
        DeleteRunBatch(game.session.folders, RunBatchPlace::BesideProgram);
        EXPECT_FALSE(std::filesystem::exists(batch));
    }
}

}  // namespace
}  // namespace tolvane::testing
