// A whole cycle in folders and with pilots whose names are not ASCII: every path stays a path
// and every byte of the game's own text goes back as it was.
#include <gtest/gtest.h>

#include "app/main_window_logic.h"
#include "app/pilot_loader_logic.h"
#include "game_start/run_batch.h"
#include "platform/process.h"
#include "support/environment.h"
#include "support/fake_main_window.h"
#include "support/sample_world.h"
#include "support/stand_in_game.h"
#include "support/waiting.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane::testing {
namespace {

const char* kGameFolder = "Spiele/X-Wing Alliance \xE2\x80\x93 Sammlung";  // an en dash
const char* kShipSetFolder = "Schiffs\xC3\xA4tze";
const char* kPackage = "Flotte G\xC3\xA9n\xC3\xA9rale.gob";

#ifdef _WIN32
// The stand-in game built beside this test program.
fs::path StandInExecutable() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / "stand_in_xwa.exe";
}
#endif

// A whole cycle through the main window's logic and the pilot loader; on Windows the real cmd
// starts the stand-in game from RunXWA.bat, which records how it was started.
void PlayWholeCycle(const char* gameFolder) {
    StandInGame game("XWINGALLIANCE.EXE", gameFolder, kShipSetFolder);
    WriteFileBytes(game.game() / "config.cfg", "lastpilot Zo\xEB\r\nwindowed 1\r\n");
    WriteFileBytes(game.game() / PathFromUtf8("J\xC3\xB6rg.plt"),
                   std::string("J\xF6rg\0\0\0\0\0\0\0\0body", 16));
#ifdef _WIN32
    fs::copy_file(StandInExecutable(), game.executable(), fs::copy_options::overwrite_existing);
    fs::path record = game.program() / "started.txt";
    ScopedEnvironment recordTo("TOLVANE_STAND_IN_RECORD", Utf8Of(record));
    game.store.save("Settings", "Show Opening Cutscene", "1");
    game.session.loadSettings();  // as accepted options read them
#else
    ScopedEnvironment runner("TOLVANE_BATCH_RUNNER", "/bin/true");
#endif
    auto before = Snapshot(game.game());
    WriteGob(game.shipSets() / PathFromUtf8(kPackage),
             {{"PATCHINFO.TXT", PatchInfoText("Name: Flotte G\xE9n\xE9rale")},
              {"wave\\\xC9"
               "clair.wav",
               "boom"},
              {"DATA.LFD", "new data"}});

    FakeMainWindow window;
    MainWindowLogic logic(game.session, window);
    logic.load();
    EXPECT_EQ(window.shipSets, std::vector<std::string>{"Flotte G\xC3\xA9n\xC3\xA9rale"});
    window.selected = 0;
    logic.listClicked();
    logic.launchClicked();
    EXPECT_EQ(window.pilotLoaderShown, 1);
    EXPECT_EQ(ReadFileBytes(game.game() / "wave" /
                            PathFromUtf8("\xC3\x89"
                                         "clair.wav")),
              "boom");

    std::vector<std::string> pilots = LoadPilotList(game.game(), game.prompts);
    EXPECT_NE(std::find(pilots.begin(), pilots.end(), "J\xC3\xB6rg"), pilots.end());
    game.prompts.expectMessage("Pilot J\xC3\xB6rg will be loaded.", "Switched Pilot",
                               Icon::Information);
    EXPECT_TRUE(LoadPilot(game.session, logic, "J\xC3\xB6rg", [] {}));
    EXPECT_EQ(ReadFileBytes(game.game() / "config.cfg"), "lastpilot J\xF6rg\r\nwindowed 1\r\n");
    EXPECT_EQ(game.store.get("Settings", "Last Pilot"), "Zo\xC3\xAB");
#ifdef _WIN32
    std::vector<std::string> started = RecordedLines(record);
    ASSERT_EQ(started.size(), 4u) << "the game did not record its start";
    EXPECT_NE(started[0].find("XWINGALLIANCE.EXE /skipintro"), std::string::npos) << started[0];
    EXPECT_TRUE(fs::equivalent(PathFromUtf8(started[1]), game.game())) << started[1];
    EXPECT_EQ(started[2], "lastpilot J\xF6rg");
    fs::remove(record);
#endif

    EXPECT_TRUE(WaitFor([&] { return !window.gameRunning(); }));
    logic.launchClicked();  // done playing
    EXPECT_EQ(Snapshot(game.game()), before);
    EXPECT_EQ(window.launchCaption(), "Launch ShipSet");
}

// cmd expands "%" in a batch file: the game must still start in its own folder.
TEST(NonAsciiCycleTest, FoldersAndPilotsOfEveryAlphabetComeBackByteForByte) {
    for (const char* gameFolder : {kGameFolder, "Games/100% XWA %PATH%"}) {
        SCOPED_TRACE(gameFolder);
        PlayWholeCycle(gameFolder);
    }
}

#ifdef _WIN32
// cmd starts outside the game folder here: only RunXWA.bat's own lines, read by the real cmd, can
// bring it there, and "%CD%" would expand to the folder it starts in.
TEST(NonAsciiCycleTest, CmdReadsAGameFolderWithPercentSignsLiterally) {
    StandInGame game("XWINGALLIANCE.EXE", "Games/100% XWA %CD%");
    fs::copy_file(StandInExecutable(), game.executable(), fs::copy_options::overwrite_existing);
    fs::path record = game.program() / "started.txt";
    ScopedEnvironment recordTo("TOLVANE_STAND_IN_RECORD", Utf8Of(record));
    fs::path batch = game.program() / "RunXWA.bat";
    WriteFileBytes(batch, RunBatchText(Utf8Of(game.executable()), false));
    StartBatchFile(batch, game.program());
    std::vector<std::string> started = RecordedLines(record);
    ASSERT_EQ(started.size(), 4u) << "the game did not start";
    EXPECT_TRUE(fs::equivalent(PathFromUtf8(started[1]), game.game())) << started[1];
}
#endif

}  // namespace
}  // namespace tolvane::testing
