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

TEST(StartupTest, ChoosesTheFirstWindowFromTheStoredSettings) {
    const std::vector<std::string> ordinary = {"show main"};
    const std::vector<std::string> restore = {"load main", "show main"};
    const StartCase cases[] = {
        {"never written", "2.5", nullptr, {}, ordinary},
        {"None", "2.5", "None", {}, ordinary},
        {"other case", "2.5", "none", {"Uh-oh"}, restore},
        {"a path", "2.5", "/ships/Gone.gob", {"Uh-oh"}, restore},
        {"first run", nullptr, nullptr, {"Uh-oh"}, {"show options"}},
        {"first run with a path", nullptr, "/ships/Blue.gob", {"Uh-oh", "Uh-oh"}, restore},
        {"new version", "2.4", "None", {"New Version Detected"}, {"show options"}},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySettingsStore store;
        RecordingPrompts prompts;
        prompts.allowMessage("Uh-oh");
        prompts.allowMessage("New Version Detected");
        if (c.version)
            store.save("Version", "Ordell Version", c.version);
        if (c.lastShipSet)
            store.save("Settings", "Last ShipSet", c.lastShipSet);
        Session session(store, prompts, "", "");
        RecordingWindows windows(session);
        OpenFirstWindow(session, windows);
        std::vector<std::string> titles;
        for (const Prompt& prompt : prompts.shown)
            titles.push_back(prompt.title);
        EXPECT_EQ(titles, c.messages);
        EXPECT_EQ(windows.events, c.windows);
        if (c.windows == restore) {
            EXPECT_EQ(windows.window.launchCaption(), "Click here to restore files");
        }
    }
}

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
