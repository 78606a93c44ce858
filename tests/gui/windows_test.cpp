#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "gui/main_window.h"
#include "gui/qt_prompts.h"
#include "gui/window_set.h"
#include "launch/install.h"
#include "platform/fault_seam.h"
#include "support/environment.h"
#include "support/fake_progress.h"
#include "support/package_files.h"
#include "support/stand_in_game.h"
#include "support/waiting.h"
#include "widgets.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

const char* kFirstRun =
    "Either this is the first time you have run Tolvane, or something has happened to the "
    "registry settings.  Either way, you'll have to setup the options.";
const char* kRestoreMessage =
    "Tolvane was shut down before it could restore the backup files of the last launched "
    "shipset.  You can restore those backup files now if you wish.";

class WindowsTest : public ::testing::Test {
  protected:
    void start() {
        windows_ = std::make_unique<WindowSet>(game.session);
        OpenFirstWindow(game.session, *windows_);
        QApplication::processEvents();
    }
    void restart() {
        windows_.reset();
        start();
    }
    QWidget* main() { return OpenWindow("mainWindow"); }
    bool readyToLaunch() { return windows_->mainWindow().logic().readyToLaunch(); }

    StandInGame game;
    std::unique_ptr<WindowSet> windows_;
};

TEST_F(WindowsTest, AFirstRunLeadsThroughTheOptions) {
    WriteGob(game.shipSets() / "A.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Alpha")}});
    game.store.values.clear();
    game.prompts.expectMessage(kFirstRun, "Uh-oh", Icon::Exclamation);
    start();
    QWidget* options = OpenWindow("optionsDialog");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(main(), nullptr);
    EXPECT_EQ(Child<QLineEdit>(options, "gameExecutableEdit")->text(), "");
    EXPECT_FALSE(Child<QCheckBox>(options, "skipIntroCheckBox")->isChecked());

    game.prompts.expectMessage("You need to set the options.", "Important!", Icon::Exclamation);
    Press(options, "cancelButton");
    game.prompts.expectMessage("You need to set your XWINGALLIANCE.exe", "Hey!", Icon::Exclamation);
    Press(options, "okButton");
    ASSERT_NE(OpenWindow("optionsDialog"), nullptr);
    EXPECT_EQ(game.store.get("Version", "Ordell Version"), "2.5");

    Child<QLineEdit>(options, "gameExecutableEdit")
        ->setText(QString::fromStdString(game.executable().string()));
    Child<QLineEdit>(options, "shipSetFolderEdit")
        ->setText(QString::fromStdString(game.shipSets().string()));
    Child<QCheckBox>(options, "skipIntroCheckBox")->setChecked(true);
    Press(options, "okButton");

    EXPECT_EQ(OpenWindow("optionsDialog"), nullptr);
    ASSERT_NE(main(), nullptr);
    EXPECT_TRUE(main()->isEnabled());
    EXPECT_EQ(game.store.get("Settings", "ShipSet Dir"), (game.shipSets() / "").string());
    EXPECT_EQ(game.store.get("Settings", "Show Opening Cutscene"), "1");
    EXPECT_EQ(game.store.get("Settings", "Last ShipSet"), "None");
    // The list shows the directory just chosen, with no Refresh.
    auto* list = Child<QListWidget>(main(), "shipSetList");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Alpha");
}

// After a new version, OK with another directory lists that directory, and launches from it.
TEST_F(WindowsTest, OptionsAfterANewVersionListTheDirectoryJustChosen) {
    WriteGob(game.shipSets() / "Old.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Old")}});
    TempFolder other;
    WriteGob(other / "New.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: New")}});
    game.store.save("Version", "Ordell Version", "2.4");
    game.prompts.expectMessage(
        "You have downloaded a new version of Tolvane, good for you.  You need to set up the "
        "options again.",
        "New Version Detected", Icon::Information);
    start();
    QWidget* options = OpenWindow("optionsDialog");
    ASSERT_NE(options, nullptr);
    Child<QLineEdit>(options, "shipSetFolderEdit")
        ->setText(QString::fromStdString(other.path().string()));
    Press(options, "okButton");
    auto* list = Child<QListWidget>(main(), "shipSetList");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "New");
}

// Settings lost while a cycle's journal is open: once the options name its directory again, the
// main window offers the restore.
TEST_F(WindowsTest, AnOpenJournalLeadsToTheRestoreOnceTheOptionsNameItsDirectory) {
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    auto plan = PlanLaunch(game.session, game.shipSets() / "Blue.gob");
    FakeProgress progress;
    LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(plan));
    game.store.values.clear();
    game.prompts.expectMessage(kFirstRun, "Uh-oh", Icon::Exclamation);
    start();
    QWidget* options = OpenWindow("optionsDialog");
    ASSERT_NE(options, nullptr);
    Child<QLineEdit>(options, "gameExecutableEdit")
        ->setText(QString::fromStdString(game.executable().string()));
    Child<QLineEdit>(options, "shipSetFolderEdit")
        ->setText(QString::fromStdString(game.shipSets().string()));
    game.prompts.expectMessage(kRestoreMessage, "Uh-oh", Icon::Exclamation);
    Press(options, "okButton");
    EXPECT_EQ(Child<QPushButton>(main(), "launchButton")->text(), "Click here to restore files");
    game.prompts.expectMessage("All the files have been restored succesfully.", "Success!",
                               Icon::Information);
    Press(main(), "launchButton");
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "original data");
}

TEST_F(WindowsTest, TheMainWindowsStatesFollowTheControlsPressed) {
    WriteGob(game.shipSets() / "A.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Alpha")}});
    WriteGob(game.shipSets() / "B.gob", {{"B.LFD", "b"}});
    start();
    QWidget* window = main();
    ASSERT_NE(window, nullptr);
    auto* list = Child<QListWidget>(window, "shipSetList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Alpha");
    EXPECT_FALSE(Enabled(window, "launchButton"));
    EXPECT_FALSE(Enabled(window, "infoButton"));
    EXPECT_TRUE(readyToLaunch());

    ClickItem(window, "shipSetList", 0);
    EXPECT_TRUE(Enabled(window, "launchButton"));
    EXPECT_TRUE(Enabled(window, "infoButton"));
    Press(window, "infoButton");
    QWidget* info = OpenWindow("infoWindow");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "About Alpha");
    EXPECT_EQ(Child<QLineEdit>(info, "authorField")->text(), "Red Nine");

    Press(window, "refreshButton");
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_FALSE(Enabled(window, "launchButton"));
    EXPECT_FALSE(Enabled(window, "infoButton"));
    EXPECT_TRUE(Enabled(window, "refreshButton"));

    Press(window, "optionsButton");
    EXPECT_FALSE(window->isEnabled());
    QWidget* options = OpenWindow("optionsDialog");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(Child<QLineEdit>(options, "gameExecutableEdit")->text().toStdString(),
              game.executable().string());
    Press(options, "cancelButton");
    EXPECT_EQ(OpenWindow("optionsDialog"), nullptr);
    EXPECT_TRUE(window->isEnabled());

    Press(window, "aboutButton");
    EXPECT_TRUE(window->isEnabled());
    ASSERT_NE(OpenWindow("aboutBox"), nullptr);
    EXPECT_EQ(Child<QLabel>(OpenWindow("aboutBox"), "versionLabel")->text(), "Version 2.5");
}

// A launch refused, or one that changed nothing, leaves the window as the press found it.
TEST_F(WindowsTest, ALaunchThatChangedNothingLeavesTheWindowAsItWas) {
    struct Case {
        const char* what;
        std::function<void(StandInGame&)> arrange;
        const char* text;
        const char* title;
        Icon icon;
    };
    const Case cases[] = {
        {"a package that is no GOB",
         [](StandInGame& g) { WriteFileBytes(g.shipSets() / "Bad.gob", "gob, not GOB"); },
         "The ShipSet you are trying to launch is not a valid .Gob file.  Contact the author or "
         "redownload the file again.",
         "Invalid .Gob", Icon::Exclamation},
        {"a setting the store cannot keep",
         [](StandInGame& g) {
             WriteGob(g.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
             g.store.failingKey = "Last ShipSet";
         },
         "Could not save Last ShipSet\r\rNothing has been changed.", "Launch Failed",
         Icon::Critical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandInGame fresh;
        c.arrange(fresh);
        windows_ = std::make_unique<WindowSet>(fresh.session);
        OpenFirstWindow(fresh.session, *windows_);
        QWidget* window = main();
        ClickItem(window, "shipSetList", 0);
        fresh.prompts.expectMessage(c.text, c.title, c.icon);
        Press(window, "launchButton");
        for (const char* control : {"launchButton", "shipSetList", "optionsButton", "refreshButton",
                                    "aboutButton", "exitButton", "infoButton"})
            EXPECT_TRUE(Enabled(window, control)) << control;
        EXPECT_TRUE(Child<QWidget>(window, "launchButton")->isVisible());
        EXPECT_TRUE(readyToLaunch());
        windows_.reset();
    }
}

class CycleTest : public WindowsTest {
  protected:
    CycleTest() {
        WriteFileBytes(runner.path() / "runner.sh",
                       "#!/bin/sh\ncat '" + (game.game() / "config.cfg").string() + "' > '" +
                           seen().string() + ".part'\nmv '" + seen().string() + ".part' '" +
                           seen().string() + "'\n");
        fs::permissions(runner.path() / "runner.sh", fs::perms::owner_all);
        WriteGob(game.shipSets() / "Blue.gob",
                 {{"PATCHINFO.TXT", PatchInfoText("Name: Blue Fleet")},
                  {"DATA.LFD", "package data"},
                  {"Zed.plt", std::string("Zed\0\0\0\0\0\0\0\0\0", 12)},
                  {"wave\\X.WAV", "new sound"},
                  {"zt\\fix.zt", MakeZt({{0, "PATCHED"}})}});
        before = Snapshot(game.game().parent_path());
        before.erase("Ships/patchinfo.txt");
    }
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "the game is started by cmd.exe on Windows; the core's tests run it";
#endif
    }
    fs::path seen() const {
        return runner.path() / "seen.txt";
    }

    void launchFirstShipSet() {
        ClickItem(main(), "shipSetList", 0);
        Press(main(), "launchButton");
    }

    TempFolder runner;
    ScopedEnvironment runnerVariable{"TOLVANE_BATCH_RUNNER",
                                     (runner.path() / "runner.sh").string()};
    std::map<std::string, std::string> before;
};

TEST_F(CycleTest, LaunchPlayAndRestoreGiveTheGameFolderBack) {
    start();
    launchFirstShipSet();
    EXPECT_EQ(ReadFileBytes(game.executable()).substr(0, 7), "PATCHED");
    EXPECT_FALSE(Child<QWidget>(main(), "launchButton")->isVisible());
    QWidget* loader = OpenWindow("pilotLoader");
    ASSERT_NE(loader, nullptr);
    // Beside the main window, not over it.
    EXPECT_FALSE(loader->frameGeometry().intersects(main()->frameGeometry()));
    auto* pilots = Child<QListWidget>(loader, "pilotList");
    ASSERT_EQ(pilots->count(), 3);
    EXPECT_EQ(pilots->item(1)->text(), "Nova");
    EXPECT_TRUE(Enabled(loader, "loadPilotButton")) << "config.cfg's pilot is chosen";

    ClickItem(loader, "pilotList", 1);
    game.prompts.expectMessage("Pilot Nova will be loaded.", "Switched Pilot", Icon::Information);
    Press(loader, "loadPilotButton");
    EXPECT_EQ(OpenWindow("pilotLoader"), nullptr);
    // The player comes back once the game has ended.
    WaitFor([&] { return !windows_->mainWindow().gameRunning(); }, std::chrono::seconds(10),
            [] { QTest::qWait(10); });
    EXPECT_EQ(ReadFileBytes(seen()), "lastpilot Nova\r\nwindowed 1\r\n");
    EXPECT_EQ(game.store.get("Settings", "Last Pilot"), "Ace");
    QWidget* window = main();
    EXPECT_EQ(Child<QPushButton>(window, "launchButton")->text(), "Click here when done playing");
    EXPECT_FALSE(Enabled(window, "exitButton"));

    game.prompts.expectQuestion("Would you like to keep Zed.plt?", "Keep Pilot?", Icon::Information,
                                Answer::Yes, Answer::No);
    Press(window, "launchButton");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
    EXPECT_EQ(Child<QPushButton>(window, "launchButton")->text(), "Launch ShipSet");
    for (const char* name : {"launchButton", "infoButton", "refreshButton", "exitButton",
                             "aboutButton", "optionsButton", "shipSetList"}) {
        EXPECT_TRUE(Enabled(window, name)) << name;
    }
    EXPECT_TRUE(readyToLaunch());
}

TEST_F(CycleTest, ClosingThePilotLoaderBringsTheButtonBack) {
    start();
    launchFirstShipSet();
    QWidget* loader = OpenWindow("pilotLoader");
    ASSERT_NE(loader, nullptr);
    loader->close();
    QApplication::processEvents();
    auto* button = Child<QPushButton>(main(), "launchButton");
    EXPECT_TRUE(button->isVisible() && button->isEnabled());
    EXPECT_EQ(button->text(), "Click here when done playing");
}

TEST_F(CycleTest, ARestartMidCycleOffersToRestoreTheLastShipSet) {
    start();
    launchFirstShipSet();
    game.prompts.expectQuestion(
        "A ShipSet is still installed. Quit anyway? The next start will "
        "offer to restore the game folder.",
        "Tolvane", Icon::Exclamation, Answer::No, Answer::No);
    main()->close();
    EXPECT_TRUE(main()->isVisible()) << "quit though the player said No";
    game.prompts.expectQuestion(
        "A ShipSet is still installed. Quit anyway? The next start will "
        "offer to restore the game folder.",
        "Tolvane", Icon::Exclamation, Answer::No, Answer::Yes);
    main()->close();
    game.prompts.expectMessage(kRestoreMessage, "Uh-oh", Icon::Exclamation);
    restart();
    QWidget* window = main();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Child<QPushButton>(window, "launchButton")->text(), "Click here to restore files");
    for (const char* name :
         {"shipSetList", "infoButton", "optionsButton", "refreshButton", "aboutButton"})
        EXPECT_FALSE(Enabled(window, name)) << name;
    EXPECT_TRUE(Enabled(window, "exitButton"));

    game.prompts.expectQuestion("Would you like to keep Zed.plt?", "Keep Pilot?", Icon::Information,
                                Answer::Yes, Answer::No);
    game.prompts.expectMessage("All the files have been restored succesfully.", "Success!",
                               Icon::Information);
    Press(window, "launchButton");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
    EXPECT_EQ(Child<QPushButton>(window, "launchButton")->text(), "Launch ShipSet");
    EXPECT_FALSE(Enabled(window, "launchButton"));
    EXPECT_TRUE(Enabled(window, "shipSetList"));
}

}  // namespace
}  // namespace tolvane::testing

namespace tolvane::testing {
namespace {

// Whatever goes wrong inside a handler, the program goes on and the cycle can still be closed.
TEST_F(WindowsTest, AnUnforeseenErrorInTheLaunchIsToldAndTheCycleStaysClosable) {
    WriteGob(game.shipSets() / "A.gob", {{"DATA.LFD", "package data"}, {"NEW.LFD", "new"}});
    auto before = Snapshot(game.game());
    start();
    QWidget* window = main();
    ClickItem(window, "shipSetList", 0);
    FaultSeam::DieAt(35);  // stands for any error nobody foresaw, half way through the install
    game.prompts.expectMessage("Tolvane ran into an unexpected problem: an error of unknown kind",
                               "Tolvane", Icon::Critical);
    Press(window, "launchButton");
    FaultSeam::Disarm();
    EXPECT_EQ(Child<QPushButton>(window, "launchButton")->text(), "Click here to restore files");
    EXPECT_TRUE(Enabled(window, "exitButton"));

    game.prompts.expectMessage("All the files have been restored succesfully.", "Success!",
                               Icon::Information);
    Press(window, "launchButton");
    EXPECT_EQ(Snapshot(game.game()), before);
    EXPECT_EQ(Child<QPushButton>(window, "launchButton")->text(), "Launch ShipSet");
}

#ifndef _WIN32
// On Linux the options say what will start the game, as the executable's place decides it.
TEST_F(WindowsTest, TheOptionsSayWhatStartsTheGame) {
    start();
    Press(main(), "optionsButton");
    QWidget* options = OpenWindow("optionsDialog");
    ASSERT_NE(options, nullptr);
    auto* starter = Child<QLabel>(options, "gameStarterLabel");
    ScopedEnvironment runner("TOLVANE_BATCH_RUNNER", "");
    fs::path prefix = game.game().parent_path() / "prefix";
    WriteFileBytes(prefix / "system.reg", "");
    WriteFileBytes(prefix / "drive_c" / "XWA" / "XWINGALLIANCE.EXE", "game");
    Child<QLineEdit>(options, "gameExecutableEdit")
        ->setText(QString::fromStdString((prefix / "drive_c/XWA/XWINGALLIANCE.EXE").string()));
    EXPECT_EQ(starter->text().toStdString(), "Starts the game: Wine, prefix " + prefix.string());
    Child<QLineEdit>(options, "gameExecutableEdit")
        ->setText(QString::fromStdString(game.executable().string()));
    EXPECT_EQ(starter->text().toStdString(), "Starts the game: Wine, default prefix");
    Press(options, "cancelButton");
}
#endif

// The game is still running when the player presses the done button: asked first; when the game
// ends, the window is ready to restore without a question.
TEST_F(CycleTest, ARestoreUnderTheRunningGameAsksFirst) {
    fs::path stop = runner.path() / "stop";
    WriteFileBytes(runner.path() / "runner.sh",
                   "#!/bin/sh\nwhile [ ! -e '" + stop.string() + "' ]; do sleep 0.05; done\n");
    start();
    launchFirstShipSet();
    QWidget* loader = OpenWindow("pilotLoader");
    ASSERT_NE(loader, nullptr);
    ClickItem(loader, "pilotList", 1);
    game.prompts.expectMessage("Pilot Nova will be loaded.", "Switched Pilot", Icon::Information);
    Press(loader, "loadPilotButton");

    game.prompts.expectQuestion("The game is still running. Restore the game folder anyway?",
                                "Game Still Running", Icon::Exclamation, Answer::No, Answer::No);
    Press(main(), "launchButton");
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "package data");
    EXPECT_EQ(Child<QPushButton>(main(), "launchButton")->text(), "Click here when done playing");

    WriteFileBytes(stop, "");
    MainWindow& window = windows_->mainWindow();
    EXPECT_TRUE(WaitFor([&] { return !window.gameRunning(); }, std::chrono::seconds(10),
                        [] { QTest::qWait(10); }));
    game.prompts.expectQuestion("Would you like to keep Zed.plt?", "Keep Pilot?", Icon::Information,
                                Answer::Yes, Answer::No);
    Press(main(), "launchButton");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
}

// Arrow keys and Enter do what the mouse does, in both lists; Escape closes the loader, which
// brings the button back.
// A whole cycle with the keyboard alone: the first arrow press selects the row with the focus
// frame, Enter presses the focused button, the loader opens with config.cfg's pilot chosen.
TEST_F(CycleTest, TheKeyboardAlonePlaysAWholeCycle) {
    start();
    auto* ships = Child<QListWidget>(main(), "shipSetList");
    ships->setCurrentRow(0, QItemSelectionModel::NoUpdate);  // where focus puts the frame
    QTest::keyClick(ships, Qt::Key_Down);
    EXPECT_EQ(ships->currentRow(), 0);
    ASSERT_TRUE(Enabled(main(), "launchButton"));
    QTest::keyClick(Child<QPushButton>(main(), "launchButton"), Qt::Key_Return);
    QApplication::processEvents();
    QWidget* loader = OpenWindow("pilotLoader");
    ASSERT_NE(loader, nullptr) << "Enter on the focused launch button launches";

    auto* pilots = Child<QListWidget>(loader, "pilotList");
    ASSERT_NE(pilots->currentItem(), nullptr);
    EXPECT_EQ(pilots->currentItem()->text(), "Ace");
    EXPECT_TRUE(Enabled(loader, "loadPilotButton"));
    game.prompts.expectMessage("Pilot Ace will be loaded.", "Switched Pilot", Icon::Information);
    QTest::keyClick(Child<QPushButton>(loader, "loadPilotButton"), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("pilotLoader"), nullptr);
    WaitFor([&] { return !windows_->mainWindow().gameRunning(); }, std::chrono::seconds(10),
            [] { QTest::qWait(10); });

    game.prompts.expectQuestion("Would you like to keep Zed.plt?", "Keep Pilot?", Icon::Information,
                                Answer::Yes, Answer::No);
    auto* done = Child<QPushButton>(main(), "launchButton");
    ASSERT_EQ(done->text(), "Click here when done playing");
    QTest::keyClick(done, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(done->text(), "Launch ShipSet");
    std::map<std::string, std::string> now = Snapshot(game.game().parent_path());
    EXPECT_EQ(now, before);
}

// A starter that ends at once with an error (no Wine, a folder cmd cannot reach): the player is
// told what it printed and its exit code, and the cycle stays open for the restore.
TEST_F(CycleTest, AGameThatNeverStartsIsTold) {
    WriteFileBytes(runner.path() / "failing.sh",
                   "#!/bin/sh\necho 'cmd: cannot reach the game folder' >&2\nexit 53\n");
    fs::permissions(runner.path() / "failing.sh", fs::perms::owner_all);
    ScopedEnvironment failing("TOLVANE_BATCH_RUNNER", (runner.path() / "failing.sh").string());
    start();
    launchFirstShipSet();
    game.prompts.expectMessage("Pilot Ace will be loaded.", "Switched Pilot", Icon::Information);
    Press(OpenWindow("pilotLoader"), "loadPilotButton");
    game.prompts.allowMessage("Game Not Started");
    WaitFor(
        [&] {
            return !game.prompts.shown.empty() &&
                   game.prompts.shown.back().title == "Game Not Started";
        },
        std::chrono::seconds(10), [] { QTest::qWait(10); });
    const std::string& told = game.prompts.shown.back().text;
    EXPECT_NE(told.find("exit code 53"), std::string::npos) << told;
    EXPECT_NE(told.find("cmd: cannot reach the game folder"), std::string::npos) << told;
    EXPECT_EQ(Child<QPushButton>(main(), "launchButton")->text(), "Click here when done playing");
}

// With two ship sets, the first arrow press selects the first, not the second.
TEST_F(WindowsTest, TheFirstArrowPressSelectsTheFirstRow) {
    WriteGob(game.shipSets() / "A.gob", {{"A.LFD", "a"}});
    WriteGob(game.shipSets() / "B.gob", {{"B.LFD", "b"}});
    start();
    auto* ships = Child<QListWidget>(main(), "shipSetList");
    ships->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QTest::keyClick(ships, Qt::Key_Down);
    ASSERT_EQ(ships->selectedItems().size(), 1);
    EXPECT_EQ(ships->row(ships->selectedItems().front()), 0);
}

// A long path shows its start in the options while it is not edited, and all of it as a tooltip.
TEST_F(WindowsTest, ALongPathShowsItsStart) {
    start();
    Press(main(), "optionsButton");
    auto* field = Child<QLineEdit>(OpenWindow("optionsDialog"), "shipSetFolderEdit");
    QString path = "/home/player/" + QString(200, 'f') + "/Ship Sets/";
    field->setText(path);
    emit field->editingFinished();
    QApplication::processEvents();
    EXPECT_EQ(field->cursorPosition(), 0);
    EXPECT_EQ(field->toolTip(), path);
}

TEST_F(WindowsTest, DialogKeysWorkAsOnWindows) {
    WriteGob(game.shipSets() / "A.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Alpha")}});
    start();
    ClickItem(main(), "shipSetList", 0);
    Press(main(), "infoButton");
    QWidget* info = OpenWindow("infoWindow");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(Child<QLineEdit>(info, "authorField")->isReadOnly());
    EXPECT_FALSE(Child<QLineEdit>(info, "authorField")->hasFrame());
    QTest::keyClick(info, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("infoWindow"), nullptr);

    Press(main(), "aboutButton");
    ASSERT_NE(OpenWindow("aboutBox"), nullptr);
    QTest::keyClick(OpenWindow("aboutBox"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("aboutBox"), nullptr);

    Press(main(), "optionsButton");
    QWidget* options = OpenWindow("optionsDialog");
    ASSERT_NE(options, nullptr);
    QTest::keyClick(Child<QLineEdit>(options, "gameExecutableEdit"), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("optionsDialog"), nullptr) << "Enter in a field presses OK";
}

// OK with another ship set directory: the list shows that directory's ship sets at once.
TEST_F(WindowsTest, ANewShipSetDirectoryIsReadAtOnce) {
    WriteGob(game.shipSets() / "A.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Alpha")}});
    fs::path other = game.shipSets().parent_path() / "Other Ships";
    WriteGob(other / "B.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Beta")}});
    start();
    auto* list = Child<QListWidget>(main(), "shipSetList");
    ASSERT_EQ(list->count(), 1);
    Press(main(), "optionsButton");
    QWidget* options = OpenWindow("optionsDialog");
    Child<QLineEdit>(options, "shipSetFolderEdit")->setText(QString::fromStdString(other.string()));
    Press(options, "okButton");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Beta");
}

// The information window tells what the launch would change, below the author's text.
TEST_F(WindowsTest, TheInformationWindowShowsTheChangesToTheGameFolder) {
    WriteGob(
        game.shipSets() / "A.gob",
        {{"PATCHINFO.TXT", PatchInfoText("Name: Alpha")}, {"data.lfd", "d"}, {"new\\N.LFD", "n"}});
    start();
    ClickItem(main(), "shipSetList", 0);
    Press(main(), "infoButton");
    QWidget* info = OpenWindow("infoWindow");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(Child<QGroupBox>(info, "changesFrame")->title(), "Changes to the game folder");
    EXPECT_EQ(Child<QLabel>(info, "changesSummary")->text(),
              "Replaces 1 game file, adds 2 files, makes 2 new folders");
    QAbstractItemModel* rows = Child<QListView>(info, "changedPaths")->model();
    ASSERT_EQ(rows->rowCount(), 5);
    EXPECT_EQ(rows->index(0, 0).data().toString(), "DATA.LFD  (replaced)");
    EXPECT_EQ(rows->index(1, 0).data().toString(), "new\\  (new folder)");
    EXPECT_EQ(rows->index(2, 0).data().toString(), "new\\N.LFD  (added)");
    EXPECT_EQ(rows->index(3, 0).data().toString(), "PATCHINFO.TXT  (added)");
    EXPECT_EQ(rows->index(4, 0).data().toString(), "zt\\  (new folder)");
    auto* view = Child<QListView>(info, "changedPaths");
    EXPECT_GE(view->viewport()->height(), 8 * view->sizeHintForRow(0)) << "eight rows in view";
}

}  // namespace
}  // namespace tolvane::testing

namespace tolvane::testing {
namespace {

// A box belongs to the window the player is looking at, whether or not a window manager made any
// window active: with the options open over the main window, the options.
TEST(QtPromptsTest, ABoxBelongsToTheWindowInFront) {
    StandInGame game;
    WindowSet windows(game.session);
    OpenFirstWindow(game.session, windows);
    windows.showOptionsDialog();
    QApplication::processEvents();
    QApplication::setActiveWindow(nullptr);  // as where no window manager runs
    QString owner;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        owner = box && box->parentWidget() ? box->parentWidget()->objectName() : "none";
        if (box)
            box->close();
    });
    QtPrompts().message("Could not save Last ShipSet", "Options", Icon::Exclamation);
    EXPECT_EQ(owner, "optionsDialog");
}

}  // namespace
}  // namespace tolvane::testing
