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

TEST(RunBatchTest, StartsTheRunnerWithTheBatchAndDeletesItAfterwards) {
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the game is started by cmd.exe; see the test that runs it";
#endif
    StandInGame game;
    std::filesystem::path seen = game.program() / "seen.txt";
    WriteFileBytes(game.program() / "runner.sh",
                   "#!/bin/sh\nprintf '%s\\n' \"$*\" > '" + seen.string() + "'\n");
    std::filesystem::permissions(game.program() / "runner.sh", std::filesystem::perms::owner_all);
    std::filesystem::path batch;
    {
        ScopedEnvironment runner("TOLVANE_BATCH_RUNNER", (game.program() / "runner.sh").string());
        batch = RunGame(game.session, RunBatchPlace::BesideProgram).batch;
    }

    EXPECT_EQ(batch, game.program() / "RunXWA.bat");
    std::string folder = "Z:" + game.game().string();
    std::replace(folder.begin(), folder.end(), '/', '\\');
    EXPECT_EQ(ReadFileBytes(batch), "REM Do not delete this file!\r\nZ:\r\ncd \"" + folder +
                                        "\"\r\nXWINGALLIANCE.EXE\r\n");
    WaitFor([&] { return std::filesystem::exists(seen); });
    EXPECT_EQ(ReadFileBytes(seen), "cmd /c " + WineFormOf(batch) + "\n");
    DeleteRunBatch(game.session.folders, RunBatchPlace::BesideProgram);
    EXPECT_FALSE(std::filesystem::exists(batch));
}

TEST(RunBatchTest, WithoutWineThePlayerIsToldWhatToInstall) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows starts the game itself";
#endif
    StandInGame game;
    TempFolder nothing;
    ScopedEnvironment path("PATH", nothing.path().string());
    ScopedEnvironment runner("TOLVANE_BATCH_RUNNER", "");
    try {
        RunGame(game.session, RunBatchPlace::BesideProgram);
        ADD_FAILURE() << "started without Wine";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("sudo apt install wine"), std::string::npos)
            << error.what();
    }
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
