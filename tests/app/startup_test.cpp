#include <gtest/gtest.h>

#include "app/startup.h"
#include "support/fake_main_window.h"
#include "support/launch_fixture.h"
#include "support/memory_settings_store.h"
#include "support/recording_prompts.h"
#include "support/sample_world.h"

namespace tolvane::testing {
namespace {

const char* kRestoreMessage =
    "Tolvane was shut down before it could restore the backup files of the last launched "
    "shipset.  You can restore those backup files now if you wish.";

// Keeps the order in which start-up opens the windows.
class RecordingWindows : public StartupWindows {
  public:
    explicit RecordingWindows(Session& session) : logic(session, window) {}
    MainWindowLogic& loadMainWindow() override {
        events.push_back("load main");
        return logic;
    }
    void showMainWindow() override { events.push_back("show main"); }
    void showOptionsDialog() override { events.push_back("show options"); }
    FakeMainWindow window;
    MainWindowLogic logic;
    std::vector<std::string> events;
};

struct StartCase {
    const char* name;
    const char* version;  // nullptr: never stored
    const char* lastShipSet;
    std::vector<std::string> messages;
    std::vector<std::string> windows;
};

// The settings lost "Last ShipSet" (a write that failed, a settings file from elsewhere) while a
// launch journal is open: the next start still offers the restore.
TEST(StartupTest, AnOpenJournalLeadsToTheLastShipSetsRestoreWhateverTheSettingsSay) {
    Cycle cycle;
    StandInGame& game = cycle.game;
    cycle.launchOf({{"DATA.LFD", "package data"}});
    game.store.save("Settings", "Last ShipSet", "None");
    for (bool readable : {true, false}) {
        SCOPED_TRACE(readable ? "a journal" : "a journal that cannot be read");
        if (!readable) {
            std::filesystem::remove(game.journalPath());
            std::filesystem::create_directory(game.journalPath());  // there, and unreadable
        }
        game.prompts.expectMessage(kRestoreMessage, "Uh-oh", Icon::Exclamation);
        RecordingWindows windows(game.session);
        OpenFirstWindow(game.session, windows);
        EXPECT_EQ(windows.events, (std::vector<std::string>{"load main", "show main"}));
    }
}

}  // namespace
}  // namespace tolvane::testing
