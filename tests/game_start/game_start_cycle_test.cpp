// Whole cycles that start the game as its owner would on Linux: Proton for a Steam copy, and the
// real Wine in the game's own prefix.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "app/main_window_logic.h"
#include "app/pilot_loader_logic.h"
#include "game_start/game_start.h"
#include "game_start/run_batch.h"
#include "support/environment.h"
#include "support/fake_main_window.h"
#include "support/launch_fixture.h"
#include "support/sample_world.h"
#include "support/stand_in_game.h"
#include "support/waiting.h"
#include "text/path_text.h"

namespace tolvane::testing {
namespace {

#ifndef _WIN32
// Launch, load pilot Nova (which starts the game), check the game's start, restore: the game
// folder is as before.
void PlayCycle(Cycle& cycle, const std::function<void()>& checkStart) {
    StandInGame& game = cycle.game;
    auto before = Snapshot(game.game());
    LaunchedShipSet record = cycle.launchOf({{"DATA.LFD", "package data"}});
    game.prompts.expectMessage("Pilot Nova will be loaded.", "Switched Pilot", Icon::Information);
    FakeMainWindow window;
    MainWindowLogic logic(game.session, window);
    ASSERT_TRUE(LoadPilot(game.session, logic, "Nova", [] {}));
    EXPECT_EQ(ReadFileBytes(game.game() / "config.cfg"), "lastpilot Nova\r\nwindowed 1\r\n");
    checkStart();
    cycle.restore(record);
    EXPECT_EQ(Snapshot(game.game()), before);
}

// With Debian's Wine and the Windows stand-in game (TOLVANE_STAND_IN_EXE, which
// scripts/test-windows.sh builds): a prefix of its own, where a registry value tells it apart.
TEST(GameStartCycleTest, AGameInItsOwnPrefixRunsThereAsDriveC) {
    const char* standIn = std::getenv("TOLVANE_STAND_IN_EXE");
    if (standIn == nullptr || *standIn == '\0')
        GTEST_SKIP() << "TOLVANE_STAND_IN_EXE names no Windows stand-in game";
    Cycle cycle("prefix/drive_c/Games/XWA");
    StandInGame& game = cycle.game;
    fs::path prefix = game.game().parent_path().parent_path().parent_path();
    std::string mark = "prefix " + std::to_string(std::rand());
    ScopedEnvironment quiet("WINEDEBUG", "-all");
    std::string inPrefix = "WINEPREFIX='" + prefix.string() + "' ";
    ASSERT_EQ(std::system((inPrefix + "wineboot --init >/dev/null 2>&1").c_str()), 0);
    ASSERT_EQ(std::system((inPrefix + "wine reg add 'HKCU\\Software\\Tolvane Test' /v Prefix /d '" +
                           mark + "' /f >/dev/null 2>&1 && " + inPrefix + "wineserver --wait")
                              .c_str()),
              0);
    // Tolvane itself runs with no WINEPREFIX: the game's prefix is found from its path.
    ScopedEnvironment noPrefix("WINEPREFIX", "");
    fs::copy_file(standIn, game.executable(), fs::copy_options::overwrite_existing);
    fs::path record = game.program() / "started.txt";
    ScopedEnvironment recordTo("TOLVANE_STAND_IN_RECORD", WineFormOf(record));
    ScopedEnvironment runner("TOLVANE_BATCH_RUNNER", "");
    EXPECT_EQ(DecideGameStart(game.executable()).starter, Starter::WinePrefix);
    PlayCycle(cycle, [&] {
        std::vector<std::string> lines = RecordedLines(record);
        ASSERT_EQ(lines.size(), 4u) << "the game did not record its start";
        EXPECT_EQ(lines[1], "C:\\Games\\XWA");
        EXPECT_EQ(lines[2], "lastpilot Nova");
        EXPECT_EQ(lines[3], mark);
    });
    std::system((inPrefix + "wineserver --kill >/dev/null 2>&1").c_str());
}
#endif

}  // namespace
}  // namespace tolvane::testing
