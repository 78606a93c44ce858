// The real windows, driven as a player drives them: the mouse, the keyboard, the boxes' answers.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "gui/main_window.h"
#include "gui/qt_prompts.h"
#include "gui/window_set.h"
#include "launch/install.h"
#include "platform/fault_seam.h"
#include "support/environment.h"
#include "support/launch_fixture.h"
#include "support/sample_world.h"
#include "support/stand_in_game.h"
#include "support/waiting.h"
#include "widgets.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
const char* kFirstRun =
    "Either this is the first time you have run Tolvane, or something has happened to the "
    "registry settings.  Either way, you'll have to setup the options.";
#else
const char* kFirstRun =
    "Either this is the first time you have run Tolvane, or something has happened to the "
    "settings.  Either way, you'll have to setup the options.";
#endif

class WindowsTest : public ::testing::Test, public Cycle {
  protected:
    void start() {
        windows_.reset();
        windows_ = std::make_unique<WindowSet>(game.session);
        OpenFirstWindow(game.session, *windows_);
        QApplication::processEvents();
    }
    QWidget* main() { return OpenWindow("mainWindow"); }
    QString caption(const char* control) { return Child<QPushButton>(main(), control)->text(); }
    void setText(QWidget* window, const char* field, const fs::path& text) {
        Child<QLineEdit>(window, field)->setText(QString::fromStdString(text.string()));
    }
    std::vector<std::string> listed() {
        std::vector<std::string> names;
        auto* list = Child<QListWidget>(main(), "shipSetList");
        for (int row = 0; row < list->count(); ++row)
            names.push_back(list->item(row)->text().toStdString());
        return names;
    }
    void waitForTheGame() {
        WaitFor([&] { return !windows_->mainWindow().gameRunning(); }, std::chrono::seconds(10),
                [] { QTest::qWait(10); });
    }

    std::unique_ptr<WindowSet> windows_;
};

// The options that must be set up (a first run, a new version): OK lists the directory just
// chosen at once, with no Refresh; so does OK on options opened later.
TEST_F(WindowsTest, TheOptionsListTheDirectoryJustChosen) {
    WriteGob(game.shipSets() / "A.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Alpha")}});
    TempFolder other;
    WriteGob(other / "B.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Beta")}});
    const std::string newVersion =
        "You have downloaded a new version of Tolvane, good for you.  You need to set up the "
        "options again.";
    struct Case {
        const char* what;
        const char* storedVersion;  // nullptr: a first run, nothing stored
        std::string told;
        fs::path chosen;
        const char* shown;
    };
    const Case cases[] = {{"first run", nullptr, kFirstRun, game.shipSets(), "Alpha"},
                          {"new version", "2.4", newVersion, other.path(), "Beta"},
                          {"options later", "2.5", "", other.path(), "Beta"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        game.store.values.clear();
        if (c.storedVersion) {
            game.store.save("Version", "Ordell Version", c.storedVersion);
            game.store.save("Settings", "XWA Exe", game.executable().string());
            game.store.save("Settings", "ShipSet Dir", game.shipSets().string());
        }
        if (!c.told.empty())
            game.prompts.expectMessage(c.told, c.storedVersion ? "New Version Detected" : "Uh-oh",
                                       c.storedVersion ? Icon::Information : Icon::Exclamation);
        start();
        if (!OpenWindow("optionsDialog"))
            Press(main(), "optionsButton");
        QWidget* options = OpenWindow("optionsDialog");
        ASSERT_NE(options, nullptr);
        if (!c.storedVersion) {
            EXPECT_EQ(main(), nullptr);
            game.prompts.expectMessage("You need to set the options.", "Important!",
                                       Icon::Exclamation);
            Press(options, "cancelButton");
            game.prompts.expectMessage("You need to set your XWINGALLIANCE.exe", "Hey!",
                                       Icon::Exclamation);
            Press(options, "okButton");
            setText(options, "gameExecutableEdit", game.executable());
            Child<QCheckBox>(options, "skipIntroCheckBox")->setChecked(true);
        }
        setText(options, "shipSetFolderEdit", c.chosen);
        Press(options, "okButton");
        EXPECT_EQ(OpenWindow("optionsDialog"), nullptr);
        ASSERT_NE(main(), nullptr);
        EXPECT_TRUE(main()->isEnabled());
        EXPECT_EQ(listed(), std::vector<std::string>{c.shown});
        EXPECT_EQ(game.store.get("Settings", "ShipSet Dir"), (c.chosen / "").string());
    }
}

// Every window the main window opens, and the keys that close them as on Windows.
TEST_F(WindowsTest, TheMainWindowsControlsOpenTheirWindows) {
    WriteGob(
        game.shipSets() / "A.gob",
        {{"PATCHINFO.TXT", PatchInfoText("Name: Alpha")}, {"data.lfd", "d"}, {"new\\N.LFD", "n"}});
    WriteGob(game.shipSets() / "B.gob", {{"B.LFD", "b"}});
    start();
    auto* list = Child<QListWidget>(main(), "shipSetList");
    EXPECT_EQ(listed(), (std::vector<std::string>{"Alpha", "Patchinfo.txt not found (B.gob)"}));
    list->setCurrentRow(0, QItemSelectionModel::NoUpdate);  // where focus puts the frame
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->currentRow(), 0) << "the first arrow press selects the first row";

    Press(main(), "infoButton");
    QWidget* info = OpenWindow("infoWindow");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "About Alpha");
    EXPECT_EQ(Child<QLineEdit>(info, "authorField")->text(), "Red Nine");
    EXPECT_TRUE(Child<QLineEdit>(info, "authorField")->isReadOnly());
    EXPECT_EQ(Child<QGroupBox>(info, "changesFrame")->title(), "Changes to the game folder");
    EXPECT_EQ(Child<QLabel>(info, "changesSummary")->text(),
              "Replaces 1 game file, adds 2 files, makes 2 new folders");
    auto* view = Child<QListView>(info, "changedPaths");
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "DATA.LFD  (replaced)");
    EXPECT_GE(view->viewport()->height(), 8 * view->sizeHintForRow(0)) << "eight rows in view";
    QTest::keyClick(info, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("infoWindow"), nullptr);
    // A row without a text opens the window too, saying so.
    ClickItem(main(), "shipSetList", 1);
    Press(main(), "infoButton");
    info = OpenWindow("infoWindow");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "About Patchinfo.txt not found (B.gob)");
    EXPECT_EQ(Child<QTextEdit>(info, "descriptionText")->toPlainText(),
              "This ShipSet carries no Patchinfo.txt.");
    info->close();
    QApplication::processEvents();

    Press(main(), "refreshButton");
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_FALSE(Enabled(main(), "launchButton"));
    EXPECT_FALSE(Enabled(main(), "infoButton"));

    Press(main(), "aboutButton");
    ASSERT_NE(OpenWindow("aboutBox"), nullptr);
    EXPECT_EQ(Child<QLabel>(OpenWindow("aboutBox"), "versionLabel")->text(), "Version 2.5");
    QTest::keyClick(OpenWindow("aboutBox"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("aboutBox"), nullptr);

    Press(main(), "optionsButton");
    EXPECT_FALSE(main()->isEnabled());
    QWidget* options = OpenWindow("optionsDialog");
    auto* folder = Child<QLineEdit>(options, "shipSetFolderEdit");
    QString longPath = "/home/player/" + QString(200, 'f') + "/Ship Sets/";
    folder->setText(longPath);
    emit folder->editingFinished();
    EXPECT_EQ(folder->cursorPosition(), 0) << "a long path shows its start";
    EXPECT_EQ(folder->toolTip(), longPath);
    Press(options, "cancelButton");
    EXPECT_TRUE(main()->isEnabled());
    Press(main(), "optionsButton");
    // A ship set given as the game is questioned, and kept out unless the player keeps it.
    setText(OpenWindow("optionsDialog"), "gameExecutableEdit", game.shipSets() / "B.gob");
    game.prompts.expectQuestion("The game's executable " + (game.shipSets() / "B.gob").string() +
                                    " is not named XWINGALLIANCE.EXE.  Keep it anyway?",
                                "Options", Icon::Exclamation, Answer::No, Answer::No);
    Press(OpenWindow("optionsDialog"), "okButton");
    ASSERT_NE(OpenWindow("optionsDialog"), nullptr);
    setText(OpenWindow("optionsDialog"), "gameExecutableEdit", game.executable());
    QTest::keyClick(Child<QLineEdit>(OpenWindow("optionsDialog"), "gameExecutableEdit"),
                    Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("optionsDialog"), nullptr) << "Enter in a field presses OK";
}

#ifndef _WIN32
const char* kRestoreMessage =
    "Tolvane was shut down before it could restore the backup files of the last launched "
    "shipset.  You can restore those backup files now if you wish.";
const char* kSuccess = "All the files have been restored succesfully.";

// Whole cycles with a stand-in for the game's starter that notes the config.cfg it saw.
class CycleTest : public WindowsTest {
  protected:
    CycleTest() {
        WriteStarter("cat '" + (game.game() / "config.cfg").string() + "' > '" + seen().string() +
                     ".part'\nmv '" + seen().string() + ".part' '" + seen().string() + "'\n" +
                     savesThePilot());
        WriteGob(game.shipSets() / "Blue.gob",
                 {{"PATCHINFO.TXT", PatchInfoText("Name: Blue Fleet")},
                  {"DATA.LFD", "package data"},
                  {"Zed.plt", std::string("Zed\0\0\0\0\0\0\0\0\0", 12)},
                  {"wave\\X.WAV", "new sound"},
                  {"zt\\fix.zt", MakeZt({{0, "PATCHED"}})}});
        before = Snapshot(game.game().parent_path());
        before.erase("Ships/patchinfo.txt");
    }
    void WriteStarter(const std::string& body) {
        WriteFileBytes(runner.path() / "runner.sh", "#!/bin/sh\n" + body + "\n");
        fs::permissions(runner.path() / "runner.sh", fs::perms::owner_all);
    }
    fs::path seen() const { return runner.path() / "seen.txt"; }
    // What the game does with the ship set's pilot as it ends; a game never played leaves it as
    // the ship set brought it, and nobody is asked whether to keep it.
    std::string savesThePilot() const {
        return "printf played >> '" + (game.game() / "Zed.plt").string() + "'";
    }
    void loadPilot(int row, const char* name) {
        QWidget* loader = OpenWindow("pilotLoader");
        ASSERT_NE(loader, nullptr);
        ClickItem(loader, "pilotList", row);
        game.prompts.expectMessage("Pilot " + std::string(name) + " will be loaded.",
                                   "Switched Pilot", Icon::Information);
        Press(loader, "loadPilotButton");
    }
    void expectKeepQuestion() {
        game.prompts.expectQuestion("Would you like to keep Zed.plt?", "Keep Pilot?",
                                    Icon::Information, Answer::Yes, Answer::No);
    }

    TempFolder runner;
    ScopedEnvironment runnerVariable{"TOLVANE_BATCH_RUNNER",
                                     (runner.path() / "runner.sh").string()};
    std::map<std::string, std::string> before;
};

TEST_F(CycleTest, LaunchPlayAndRestoreGiveTheGameFolderBack) {
    start();
    ClickItem(main(), "shipSetList", 0);
    Press(main(), "launchButton");
    EXPECT_EQ(ReadFileBytes(game.executable()).substr(0, 7), "PATCHED");
    QWidget* loader = OpenWindow("pilotLoader");
    ASSERT_NE(loader, nullptr);
    EXPECT_FALSE(loader->frameGeometry().intersects(main()->frameGeometry())) << "beside, not over";
    loadPilot(1, "Nova");
    EXPECT_EQ(caption("launchButton"), "Click here when done playing");
    EXPECT_FALSE(Enabled(main(), "exitButton"));
    waitForTheGame();
    EXPECT_EQ(ReadFileBytes(seen()), "lastpilot Nova\r\nwindowed 1\r\n");
    expectKeepQuestion();
    Press(main(), "launchButton");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
    EXPECT_EQ(caption("launchButton"), "Launch ShipSet");
    EXPECT_TRUE(Enabled(main(), "exitButton"));
}

// A whole cycle with the keyboard alone: the first arrow press selects the row with the focus
// frame, Enter presses the focused button, the loader opens with config.cfg's pilot chosen.
TEST_F(CycleTest, TheKeyboardAlonePlaysAWholeCycle) {
    start();
    auto* ships = Child<QListWidget>(main(), "shipSetList");
    ships->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QTest::keyClick(ships, Qt::Key_Down);
    QTest::keyClick(Child<QPushButton>(main(), "launchButton"), Qt::Key_Return);
    QApplication::processEvents();
    QWidget* loader = OpenWindow("pilotLoader");
    ASSERT_NE(loader, nullptr) << "Enter on the focused launch button launches";
    EXPECT_EQ(Child<QListWidget>(loader, "pilotList")->currentItem()->text(), "Ace");
    game.prompts.expectMessage("Pilot Ace will be loaded.", "Switched Pilot", Icon::Information);
    QTest::keyClick(Child<QPushButton>(loader, "loadPilotButton"), Qt::Key_Return);
    QApplication::processEvents();
    waitForTheGame();
    expectKeepQuestion();
    QTest::keyClick(Child<QPushButton>(main(), "launchButton"), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(caption("launchButton"), "Launch ShipSet");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
}

TEST_F(CycleTest, ARestartMidCycleOffersToRestoreTheLastShipSet) {
    start();
    ClickItem(main(), "shipSetList", 0);
    Press(main(), "launchButton");
    EXPECT_EQ(caption("launchButton"), "Choose a pilot in the Pilot Loader");
    EXPECT_FALSE(Enabled(main(), "launchButton"));
    // Closed with no game started: the button offers the loader again, or the restore.
    for (int closing = 0; closing < 2; ++closing) {
        OpenWindow("pilotLoader")->close();
        QApplication::processEvents();
        EXPECT_EQ(caption("launchButton"), "Choose a pilot or restore");
        if (closing == 0) {
            game.prompts.expectQuestion(
                "No game has been started yet.  Choose a pilot and start "
                "the game?\r\rNo puts the game folder back as it was.",
                "Pilot Loader", Icon::Information, Answer::Yes, Answer::Yes);
            Press(main(), "launchButton");
            QWidget* loader = OpenWindow("pilotLoader");
            ASSERT_NE(loader, nullptr);
            Child<QListWidget>(loader, "pilotList")->clearSelection();
            EXPECT_FALSE(Enabled(loader, "loadPilotButton")) << "no pilot chosen";
        }
    }
    const char* quit =
        "A ShipSet is still installed. Quit anyway? The next start will offer to restore the "
        "game folder.";
    for (Answer answer : {Answer::No, Answer::Yes}) {
        game.prompts.expectQuestion(quit, "Tolvane", Icon::Exclamation, Answer::No, answer);
        main()->close();
        EXPECT_EQ(main() != nullptr, answer == Answer::No);
    }
    game.prompts.expectMessage(kRestoreMessage, "Uh-oh", Icon::Exclamation);
    start();
    EXPECT_EQ(caption("launchButton"), "Click here to restore files");
    for (const char* name :
         {"shipSetList", "infoButton", "optionsButton", "refreshButton", "aboutButton"})
        EXPECT_FALSE(Enabled(main(), name)) << name;
    game.prompts.expectMessage(kSuccess, "Success!", Icon::Information);
    Press(main(), "launchButton");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
    EXPECT_TRUE(Enabled(main(), "shipSetList"));
}

// The done button under the running game asks first; when the game ends, it restores.
TEST_F(CycleTest, ARestoreUnderTheRunningGameAsksFirst) {
    fs::path stop = runner.path() / "stop";
    WriteStarter("while [ ! -e '" + stop.string() + "' ]; do sleep 0.05; done\n" + savesThePilot());
    start();
    ClickItem(main(), "shipSetList", 0);
    Press(main(), "launchButton");
    loadPilot(1, "Nova");
    game.prompts.expectQuestion("The game is still running. Restore the game folder anyway?",
                                "Game Still Running", Icon::Exclamation, Answer::No, Answer::No);
    Press(main(), "launchButton");
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "package data");

    WriteFileBytes(stop, "");
    waitForTheGame();
    expectKeepQuestion();
    Press(main(), "launchButton");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
}

// A starter that ends at once with an error (no Wine, a folder cmd cannot reach): the player is
// told what it printed and its exit code, and the cycle stays open for the restore.
TEST_F(CycleTest, AGameThatNeverStartsIsTold) {
    WriteStarter("echo 'cmd: cannot reach the game folder' >&2\nexit 53");
    start();
    ClickItem(main(), "shipSetList", 0);
    Press(main(), "launchButton");
    game.prompts.allowMessage("Game Not Started");
    loadPilot(0, "Ace");
    WaitFor([&] { return game.prompts.shown.back().title == "Game Not Started"; },
            std::chrono::seconds(10), [] { QTest::qWait(10); });
    const std::string& told = game.prompts.shown.back().text;
    EXPECT_NE(told.find("exit code 53"), std::string::npos) << told;
    EXPECT_NE(told.find("cmd: cannot reach the game folder"), std::string::npos) << told;
    Press(main(), "launchButton");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
}
// The filter narrows the list as the player types (Ctrl+F reaches it, Escape clears it), a
// selection it hides is no selection, and the ship set installed is marked while its cycle is open.
TEST_F(CycleTest, TheFilterNarrowsTheListAndTheInstalledShipSetIsMarked) {
    WriteGob(game.shipSets() / "Red.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Red Flight")}});
    start();
    auto* filter = Child<QLineEdit>(main(), "shipSetFilter");
    auto shown = [&] {
        std::vector<std::string> names;
        auto* list = Child<QListWidget>(main(), "shipSetList");
        for (int row = 0; row < list->count(); ++row) {
            if (!list->item(row)->isHidden())
                names.push_back(list->item(row)->text().toStdString());
        }
        return names;
    };
    EXPECT_FALSE(filter->placeholderText().isEmpty());
    QTest::keyClick(main(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(main()->focusWidget(), filter);
    ClickItem(main(), "shipSetList", 0);
    EXPECT_TRUE(Enabled(main(), "launchButton"));
    QTest::keyClicks(filter, "RED");
    EXPECT_EQ(shown(), std::vector<std::string>{"Red Flight"});
    EXPECT_FALSE(Enabled(main(), "launchButton")) << "the selection was hidden";
    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_EQ(shown(), (std::vector<std::string>{"Blue Fleet", "Red Flight"}));

    ClickItem(main(), "shipSetList", 0);
    Press(main(), "launchButton");
    EXPECT_EQ(shown(), (std::vector<std::string>{"Blue Fleet  (installed)", "Red Flight"}));
    loadPilot(1, "Nova");
    waitForTheGame();
    expectKeepQuestion();
    Press(main(), "launchButton");
    EXPECT_EQ(shown(), (std::vector<std::string>{"Blue Fleet", "Red Flight"}));
}

#endif

// A box shows every text as written, however much it looks like markup, and is wide enough for
// its title and for a path on a line of its own.
TEST(QtPromptsTest, ABoxShowsItsTextAsWrittenAndWhole) {
    StandInGame game;
    WindowSet windows(game.session);
    OpenFirstWindow(game.session, windows);
    const std::string path = "/home/player/" + std::string(40, 'p') + "/Pilots kept by Tolvane";
    const std::string texts[] = {"Blue <b>Fleet</b> &amp; <img src=x.png> <a href=y>z</a>",
                                 "Pilot Ace will be loaded.", "Kept in:\r" + path};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        QString shown, title;
        int labelWidth = 0, titleWidth = 0, lineWidth = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
            shown = label->text();
            labelWidth = label->width();
            titleWidth = label->fontMetrics().horizontalAdvance(box->windowTitle());
            lineWidth = label->fontMetrics().horizontalAdvance(shown.split('\n').back());
            box->close();
        });
        QtPrompts().message(text, "Switched Pilot", Icon::Information);
        EXPECT_EQ(shown.toStdString(),
                  QString::fromStdString(text).replace('\r', '\n').toStdString());
        EXPECT_GE(labelWidth, std::min(titleWidth, lineWidth));
        EXPECT_GE(labelWidth, lineWidth) << "a line broken";
    }
}

}  // namespace
}  // namespace tolvane::testing
