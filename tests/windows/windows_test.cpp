#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <cstdlib>

#include "support/package_files.h"
#include "support/stand_in_game.h"
#include "widgets.h"
#include "windows/main_window.h"
#include "windows/window_set.h"

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
        Main(game.session, *windows_);
        QApplication::processEvents();
    }
    void restart() {
        windows_.reset();
        start();
    }
    QWidget* main() { return openWindow("frmXWATolvane"); }
    bool readyToLaunch() { return windows_->mainWindow().logic().readyToLaunch(); }

    StandInGame game;
    std::unique_ptr<WindowSet> windows_;
};

TEST_F(WindowsTest, AFirstRunLeadsThroughTheOptions) {
    game.store.values.clear();
    game.prompts.expectMessage(kFirstRun, "Uh-oh", Icon::Exclamation);
    start();
    QWidget* options = openWindow("frmOptions");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(main(), nullptr);
    EXPECT_EQ(child<QLineEdit>(options, "txtXWAExe")->text(), "");
    EXPECT_FALSE(child<QCheckBox>(options, "chkOpenCut")->isChecked());

    game.prompts.expectMessage("You need to set the options.", "Important!", Icon::Exclamation);
    press(options, "cmdCancel");
    game.prompts.expectMessage("You need to set your XWINGALLIANCE.exe", "Hey!", Icon::Exclamation);
    press(options, "cmdOk");
    ASSERT_NE(openWindow("frmOptions"), nullptr);
    EXPECT_EQ(game.store.get("Version", "Ordell Version"), "2.5");

    child<QLineEdit>(options, "txtXWAExe")
        ->setText(QString::fromStdString(game.executable().string()));
    child<QLineEdit>(options, "txtTolvaneDir")
        ->setText(QString::fromStdString(game.shipSets().string()));
    child<QCheckBox>(options, "chkOpenCut")->setChecked(true);
    press(options, "cmdOk");

    EXPECT_EQ(openWindow("frmOptions"), nullptr);
    ASSERT_NE(main(), nullptr);
    EXPECT_TRUE(main()->isEnabled());
    EXPECT_EQ(game.store.get("Settings", "ShipSet Dir"), game.shipSets().string() + "/");
    EXPECT_EQ(game.store.get("Settings", "Show Opening Cutscene"), "1");
    EXPECT_EQ(game.store.get("Settings", "Last ShipSet"), "None");
}

TEST_F(WindowsTest, TheMainWindowsStatesFollowTheControlsPressed) {
    writeGob(game.shipSets() / "A.gob", {{"PATCHINFO.TXT", patchInfoText("Name: Alpha")}});
    writeGob(game.shipSets() / "B.gob", {{"B.LFD", "b"}});
    start();
    QWidget* window = main();
    ASSERT_NE(window, nullptr);
    auto* list = child<QListWidget>(window, "lstShipSets");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Alpha");
    EXPECT_FALSE(enabled(window, "cmdLaunch"));
    EXPECT_FALSE(enabled(window, "cmdInfo"));
    EXPECT_TRUE(readyToLaunch());

    clickItem(window, "lstShipSets", 0);
    EXPECT_TRUE(enabled(window, "cmdLaunch"));
    EXPECT_TRUE(enabled(window, "cmdInfo"));
    press(window, "cmdInfo");
    QWidget* info = openWindow("frmInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "About Alpha");
    EXPECT_EQ(child<QLineEdit>(info, "lblName")->text(), "Red Nine");

    press(window, "Command1");
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_FALSE(enabled(window, "cmdLaunch"));
    EXPECT_FALSE(enabled(window, "cmdInfo"));
    EXPECT_TRUE(enabled(window, "Command1"));

    press(window, "cmdOptions");
    EXPECT_FALSE(window->isEnabled());
    QWidget* options = openWindow("frmOptions");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(child<QLineEdit>(options, "txtXWAExe")->text().toStdString(),
              game.executable().string());
    press(options, "cmdCancel");
    EXPECT_EQ(openWindow("frmOptions"), nullptr);
    EXPECT_TRUE(window->isEnabled());

    press(window, "Command3");
    EXPECT_TRUE(window->isEnabled());
    ASSERT_NE(openWindow("frmAbout"), nullptr);
    EXPECT_EQ(child<QLabel>(openWindow("frmAbout"), "lblVersion")->text(), "Version 2.5");
}

TEST_F(WindowsTest, ARefusedPackageLeavesTheWindowAsItWas) {
    writeFile(game.shipSets() / "Bad.gob", "gob, not GOB");
    start();
    QWidget* window = main();
    clickItem(window, "lstShipSets", 0);
    game.prompts.expectMessage(
        "The ShipSet you are trying to launch is not a valid .Gob file.  Contact the author or "
        "redownload the file again.",
        "Invalid .Gob", Icon::Exclamation);
    press(window, "cmdLaunch");
    EXPECT_TRUE(enabled(window, "cmdLaunch"));
    EXPECT_TRUE(child<QWidget>(window, "cmdLaunch")->isVisible());
    EXPECT_TRUE(enabled(window, "lstShipSets"));
    EXPECT_TRUE(enabled(window, "cmdOptions"));
    EXPECT_TRUE(readyToLaunch());
}

class CycleTest : public WindowsTest {
  protected:
    CycleTest() {
        writeFile(runner.path() / "runner.sh",
                  "#!/bin/sh\ncat '" + (game.game() / "config.cfg").string() + "' > '" +
                      seen().string() + ".part'\nmv '" + seen().string() + ".part' '" +
                      seen().string() + "'\n");
        fs::permissions(runner.path() / "runner.sh", fs::perms::owner_all);
        setenv("TOLVANE_BATCH_RUNNER", (runner.path() / "runner.sh").c_str(), 1);
        writeGob(game.shipSets() / "Blue.gob",
                 {{"PATCHINFO.TXT", patchInfoText("Name: Blue Fleet")},
                  {"DATA.LFD", "package data"},
                  {"Zed.plt", std::string("Zed\0\0\0\0\0\0\0\0\0", 12)},
                  {"wave\\X.WAV", "new sound"},
                  {"zt\\fix.zt", makeZt({{0, "PATCHED"}})}});
        before = snapshot(game.game().parent_path());
        before.erase("Ships/patchinfo.txt");
    }
    ~CycleTest() override { unsetenv("TOLVANE_BATCH_RUNNER"); }
    fs::path seen() const { return runner.path() / "seen.txt"; }

    void launchFirstShipSet() {
        clickItem(main(), "lstShipSets", 0);
        press(main(), "cmdLaunch");
    }

    TempFolder runner;
    std::map<std::string, std::string> before;
};

TEST_F(CycleTest, LaunchPlayAndRestoreGiveTheGameFolderBack) {
    start();
    launchFirstShipSet();
    EXPECT_EQ(readFile(game.executable()).substr(0, 7), "PATCHED");
    EXPECT_FALSE(child<QWidget>(main(), "cmdLaunch")->isVisible());
    QWidget* loader = openWindow("frmPilotSwitcher");
    ASSERT_NE(loader, nullptr);
    auto* pilots = child<QListWidget>(loader, "List1");
    ASSERT_EQ(pilots->count(), 3);
    EXPECT_EQ(pilots->item(1)->text(), "Nova");
    EXPECT_FALSE(enabled(loader, "cmdSwitch"));

    clickItem(loader, "List1", 1);
    game.prompts.expectMessage("Pilot Nova will be loaded.", "Switched Pilot", Icon::Information);
    press(loader, "cmdSwitch");
    EXPECT_EQ(openWindow("frmPilotSwitcher"), nullptr);
    for (int wait = 0; wait < 300 && !fs::exists(seen()); ++wait)
        QTest::qWait(10);
    EXPECT_EQ(readFile(seen()), "lastpilot Nova\r\nwindowed 1\r\n");
    EXPECT_EQ(game.store.get("Settings", "Last Pilot"), "Ace");
    QWidget* window = main();
    EXPECT_EQ(child<QPushButton>(window, "cmdLaunch")->text(), "Click here when done playing");
    EXPECT_FALSE(enabled(window, "Command2"));

    game.prompts.expectQuestion("Would you like to keep Zed.plt?", "Keep Pilot?", Icon::Information,
                                Answer::Yes, Answer::No);
    press(window, "cmdLaunch");
    EXPECT_EQ(snapshot(game.game().parent_path()), before);
    EXPECT_EQ(child<QPushButton>(window, "cmdLaunch")->text(), "Launch ShipSet");
    for (const char* name : {"cmdLaunch", "cmdInfo", "Command1", "Command2", "Command3",
                             "cmdOptions", "lstShipSets"}) {
        EXPECT_TRUE(enabled(window, name)) << name;
    }
    EXPECT_TRUE(readyToLaunch());
}

TEST_F(CycleTest, ClosingThePilotLoaderBringsTheButtonBack) {
    start();
    launchFirstShipSet();
    QWidget* loader = openWindow("frmPilotSwitcher");
    ASSERT_NE(loader, nullptr);
    loader->close();
    QApplication::processEvents();
    auto* button = child<QPushButton>(main(), "cmdLaunch");
    EXPECT_TRUE(button->isVisible() && button->isEnabled());
    EXPECT_EQ(button->text(), "Click here when done playing");
}

TEST_F(CycleTest, ARestartMidCycleRecoversInRestoreMode) {
    start();
    launchFirstShipSet();
    main()->close();
    game.prompts.expectMessage(kRestoreMessage, "Uh-oh", Icon::Exclamation);
    restart();
    QWidget* window = main();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(child<QPushButton>(window, "cmdLaunch")->text(), "Click here to restore files");
    for (const char* name : {"lstShipSets", "cmdInfo", "cmdOptions", "Command1", "Command3"})
        EXPECT_FALSE(enabled(window, name)) << name;
    EXPECT_TRUE(enabled(window, "Command2"));

    game.prompts.expectQuestion("Would you like to keep Zed.plt?", "Keep Pilot?", Icon::Information,
                                Answer::Yes, Answer::No);
    game.prompts.expectMessage("All the files have been restored succesfully.", "Success!",
                               Icon::Information);
    press(window, "cmdLaunch");
    EXPECT_EQ(snapshot(game.game().parent_path()), before);
    EXPECT_EQ(child<QPushButton>(window, "cmdLaunch")->text(), "Launch ShipSet");
    EXPECT_FALSE(enabled(window, "cmdLaunch"));
    EXPECT_TRUE(enabled(window, "lstShipSets"));
}

}  // namespace
}  // namespace tolvane::testing
