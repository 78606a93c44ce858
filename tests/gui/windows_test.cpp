// The real windows, driven as a player drives them: the mouse, the keyboard, the boxes' answers.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "gui/main_window.h"
#include "gui/qt_prompts.h"
#include "gui/window_set.h"
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

// One stand-in game with the real windows on it, and a stand-in for the game's starter that notes
// the config.cfg it saw and, as the game ends, writes the ship set's pilot.
class Walk : public Cycle {
  public:
    Walk() {
        writeStarter("cat '" + (game.game() / "config.cfg").string() + "' > '" + seen().string() +
                     ".part'\nmv '" + seen().string() + ".part' '" + seen().string() + "'\n" +
                     savesThePilot());
        WriteGob(game.shipSets() / "Blue.gob",
                 {{"PATCHINFO.TXT", PatchInfoText("Name: Blue Fleet")},
                  {"DATA.LFD", "package data"},
                  {"Zed.plt", std::string("Zed\0\0\0\0\0\0\0\0\0", 12)},
                  {"wave\\X.WAV", "new sound"},
                  {"new\\N.LFD", "n"},
                  {"zt\\fix.zt", MakeZt({{0, "PATCHED"}})}});
        WriteGob(game.shipSets() / "Plain.gob", {{"B.LFD", "b"}});
    }

    void start() {
        windows.reset();
        windows = std::make_unique<WindowSet>(game.session);
        OpenFirstWindow(game.session, *windows);
        QApplication::processEvents();
    }
    QWidget* main() { return OpenWindow("mainWindow"); }
    QString caption(const char* control) { return Child<QPushButton>(main(), control)->text(); }
    void setText(QWidget* window, const char* field, const fs::path& text) {
        Child<QLineEdit>(window, field)->setText(QString::fromStdString(text.string()));
    }
    // The rows of the ship set list that show.
    std::vector<std::string> listed() {
        std::vector<std::string> names;
        auto* list = Child<QListWidget>(main(), "shipSetList");
        for (int row = 0; row < list->count(); ++row) {
            if (!list->item(row)->isHidden())
                names.push_back(list->item(row)->text().toStdString());
        }
        return names;
    }
    void launchBlueFleet() {
        start();
        ClickItem(main(), "shipSetList", 0);
        Press(main(), "launchButton");
    }
    void waitForTheGame() {
        WaitFor([&] { return !windows->mainWindow().gameRunning(); }, std::chrono::seconds(10),
                [] { QTest::qWait(10); });
    }
    void writeStarter(const std::string& body) {
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

    // The options that must be set up (a first run, a new version, `storedVersion` the one
    // stored) or opened later: OK lists the directory just chosen at once, with no Refresh.
    void chooseOptions(const char* storedVersion, const std::string& told, const fs::path& chosen,
                       const std::vector<std::string>& shown) {
        game.store.values.clear();
        if (storedVersion) {
            game.store.save("Version", "Ordell Version", storedVersion);
            game.store.save("Settings", "XWA Exe", game.executable().string());
            game.store.save("Settings", "ShipSet Dir", game.shipSets().string());
        }
        if (!told.empty())
            game.prompts.expectMessage(told, storedVersion ? "New Version Detected" : "Uh-oh",
                                       storedVersion ? Icon::Information : Icon::Exclamation);
        start();
        if (!OpenWindow("optionsDialog"))
            Press(main(), "optionsButton");
        QWidget* options = OpenWindow("optionsDialog");
        ASSERT_NE(options, nullptr);
        if (!storedVersion) {
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
        setText(options, "shipSetFolderEdit", chosen);
        Press(options, "okButton");
        EXPECT_EQ(OpenWindow("optionsDialog"), nullptr);
        ASSERT_NE(main(), nullptr);
        EXPECT_TRUE(main()->isEnabled());
        EXPECT_EQ(listed(), shown);
        EXPECT_EQ(game.store.get("Settings", "ShipSet Dir"), (chosen / "").string());
    }

    std::unique_ptr<WindowSet> windows;
    TempFolder runner;
    ScopedEnvironment runnerVariable{"TOLVANE_BATCH_RUNNER",
                                     (runner.path() / "runner.sh").string()};
};

// Every window the main window opens, and the keys that close them as on Windows.
void OpenEveryWindow(Walk& w) {
    w.start();
    auto* list = Child<QListWidget>(w.main(), "shipSetList");
    EXPECT_EQ(w.listed(),
              (std::vector<std::string>{"Blue Fleet", "Patchinfo.txt not found (Plain.gob)"}));
    list->setCurrentRow(0, QItemSelectionModel::NoUpdate);  // where focus puts the frame
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->currentRow(), 0) << "the first arrow press selects the first row";

    Press(w.main(), "infoButton");
    QWidget* info = OpenWindow("infoWindow");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "About Blue Fleet");
    EXPECT_EQ(Child<QLineEdit>(info, "authorField")->text(), "Red Nine");
    EXPECT_TRUE(Child<QLineEdit>(info, "authorField")->isReadOnly());
    EXPECT_EQ(Child<QGroupBox>(info, "changesFrame")->title(), "Changes to the game folder");
    EXPECT_EQ(
        Child<QLabel>(info, "changesSummary")->text().toStdString(),
        "Replaces 1 game file, adds 3 files, makes 2 new folders, patches the executable with 1 "
        "patch file, carries 1 pilot file");
    auto* view = Child<QListView>(info, "changedPaths");
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "DATA.LFD  (replaced)");
    EXPECT_GE(view->viewport()->height(), 8 * view->sizeHintForRow(0)) << "eight rows in view";
    QTest::keyClick(info, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("infoWindow"), nullptr);
    // A row without a text opens the window too, saying so.
    ClickItem(w.main(), "shipSetList", 1);
    Press(w.main(), "infoButton");
    info = OpenWindow("infoWindow");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->windowTitle(), "About Patchinfo.txt not found (Plain.gob)");
    EXPECT_EQ(Child<QTextEdit>(info, "descriptionText")->toPlainText(),
              "This ShipSet carries no Patchinfo.txt.");
    info->close();
    QApplication::processEvents();

    Press(w.main(), "refreshButton");
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_FALSE(Enabled(w.main(), "launchButton"));
    EXPECT_FALSE(Enabled(w.main(), "infoButton"));

    Press(w.main(), "aboutButton");
    ASSERT_NE(OpenWindow("aboutBox"), nullptr);
    EXPECT_EQ(Child<QLabel>(OpenWindow("aboutBox"), "versionLabel")->text(), "Version 2.5");
    QTest::keyClick(OpenWindow("aboutBox"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("aboutBox"), nullptr);

    Press(w.main(), "optionsButton");
    EXPECT_FALSE(w.main()->isEnabled());
    QWidget* options = OpenWindow("optionsDialog");
    auto* folder = Child<QLineEdit>(options, "shipSetFolderEdit");
    QString longPath = "/home/player/" + QString(200, 'f') + "/Ship Sets/";
    folder->setText(longPath);
    emit folder->editingFinished();
    EXPECT_EQ(folder->cursorPosition(), 0) << "a long path shows its start";
    EXPECT_EQ(folder->toolTip(), longPath);
    Press(options, "cancelButton");
    EXPECT_TRUE(w.main()->isEnabled());
    Press(w.main(), "optionsButton");
    // A ship set given as the game is questioned, and kept out unless the player keeps it.
    fs::path notTheGame = w.game.shipSets() / "Plain.gob";
    w.setText(OpenWindow("optionsDialog"), "gameExecutableEdit", notTheGame);
    w.game.prompts.expectQuestion("The game's executable " + notTheGame.string() +
                                      " is not named XWINGALLIANCE.EXE.  Keep it anyway?",
                                  "Options", Icon::Exclamation, Answer::No, Answer::No);
    Press(OpenWindow("optionsDialog"), "okButton");
    ASSERT_NE(OpenWindow("optionsDialog"), nullptr);
    w.setText(OpenWindow("optionsDialog"), "gameExecutableEdit", w.game.executable());
    QTest::keyClick(Child<QLineEdit>(OpenWindow("optionsDialog"), "gameExecutableEdit"),
                    Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(OpenWindow("optionsDialog"), nullptr) << "Enter in a field presses OK";
}

#ifndef _WIN32
void PlayByMouse(Walk& w) {
    w.launchBlueFleet();
    EXPECT_EQ(ReadFileBytes(w.game.executable()).substr(0, 7), "PATCHED");
    QWidget* loader = OpenWindow("pilotLoader");
    ASSERT_NE(loader, nullptr);
    EXPECT_FALSE(loader->frameGeometry().intersects(w.main()->frameGeometry()))
        << "beside, not over";
    w.loadPilot(1, "Nova");
    EXPECT_EQ(w.caption("launchButton"), "Click here when done playing");
    EXPECT_FALSE(Enabled(w.main(), "exitButton"));
    w.waitForTheGame();
    EXPECT_EQ(ReadFileBytes(w.seen()), "lastpilot Nova\r\nwindowed 1\r\n");
    w.expectKeepQuestion();
    Press(w.main(), "launchButton");
    EXPECT_EQ(w.caption("launchButton"), "Launch ShipSet");
    EXPECT_TRUE(Enabled(w.main(), "exitButton"));
}

// The first arrow press selects the row with the focus frame, Enter presses the focused button,
// the loader opens with config.cfg's pilot chosen.
void PlayByKeyboardAlone(Walk& w) {
    w.start();
    auto* ships = Child<QListWidget>(w.main(), "shipSetList");
    ships->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QTest::keyClick(ships, Qt::Key_Down);
    QTest::keyClick(Child<QPushButton>(w.main(), "launchButton"), Qt::Key_Return);
    QApplication::processEvents();
    QWidget* loader = OpenWindow("pilotLoader");
    ASSERT_NE(loader, nullptr) << "Enter on the focused launch button launches";
    EXPECT_EQ(Child<QListWidget>(loader, "pilotList")->currentItem()->text(), "Ace");
    w.game.prompts.expectMessage("Pilot Ace will be loaded.", "Switched Pilot", Icon::Information);
    QTest::keyClick(Child<QPushButton>(loader, "loadPilotButton"), Qt::Key_Return);
    QApplication::processEvents();
    w.waitForTheGame();
    w.expectKeepQuestion();
    QTest::keyClick(Child<QPushButton>(w.main(), "launchButton"), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(w.caption("launchButton"), "Launch ShipSet");
}

// The loader closed with no game started, Tolvane closed mid-cycle, and the restore the next
// start offers.
void RestartMidCycle(Walk& w) {
    w.launchBlueFleet();
    EXPECT_EQ(w.caption("launchButton"), "Choose a pilot in the Pilot Loader");
    EXPECT_FALSE(Enabled(w.main(), "launchButton"));
    // Closed with no game started: the button offers the loader again, or the restore.
    for (int closing = 0; closing < 2; ++closing) {
        OpenWindow("pilotLoader")->close();
        QApplication::processEvents();
        EXPECT_EQ(w.caption("launchButton"), "Choose a pilot or restore");
        if (closing == 0) {
            w.game.prompts.expectQuestion(
                "No game has been started yet.  Choose a pilot and start "
                "the game?\r\rNo puts the game folder back as it was.",
                "Pilot Loader", Icon::Information, Answer::Yes, Answer::Yes);
            Press(w.main(), "launchButton");
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
        w.game.prompts.expectQuestion(quit, "Tolvane", Icon::Exclamation, Answer::No, answer);
        w.main()->close();
        EXPECT_EQ(w.main() != nullptr, answer == Answer::No);
    }
    w.game.prompts.expectMessage(
        "Tolvane was shut down before it could restore the backup files of the last launched "
        "shipset.  You can restore those backup files now if you wish.",
        "Uh-oh", Icon::Exclamation);
    w.start();
    EXPECT_EQ(w.caption("launchButton"), "Click here to restore files");
    for (const char* name :
         {"shipSetList", "infoButton", "optionsButton", "refreshButton", "aboutButton"})
        EXPECT_FALSE(Enabled(w.main(), name)) << name;
    w.game.prompts.expectMessage("All the files have been restored succesfully.", "Success!",
                                 Icon::Information);
    Press(w.main(), "launchButton");
    EXPECT_TRUE(Enabled(w.main(), "shipSetList"));
}

// The done button under the running game asks first; when the game ends, it restores.
void RestoreUnderTheRunningGame(Walk& w) {
    fs::path stop = w.runner.path() / "stop";
    w.writeStarter("while [ ! -e '" + stop.string() + "' ]; do sleep 0.05; done\n" +
                   w.savesThePilot());
    w.launchBlueFleet();
    w.loadPilot(1, "Nova");
    w.game.prompts.expectQuestion("The game is still running. Restore the game folder anyway?",
                                  "Game Still Running", Icon::Exclamation, Answer::No, Answer::No);
    Press(w.main(), "launchButton");
    EXPECT_EQ(ReadFileBytes(w.game.game() / "DATA.LFD"), "package data");
    WriteFileBytes(stop, "");
    w.waitForTheGame();
    w.expectKeepQuestion();
    Press(w.main(), "launchButton");
}

// A starter that ends at once with an error (no Wine, a folder cmd cannot reach): the player is
// told what it printed and its exit code, and the cycle stays open for the restore.
void AGameThatNeverStarts(Walk& w) {
    w.writeStarter("echo 'cmd: cannot reach the game folder' >&2\nexit 53");
    w.launchBlueFleet();
    w.game.prompts.allowMessage("Game Not Started");
    w.loadPilot(0, "Ace");
    WaitFor([&] { return w.game.prompts.shown.back().title == "Game Not Started"; },
            std::chrono::seconds(10), [] { QTest::qWait(10); });
    const std::string& told = w.game.prompts.shown.back().text;
    EXPECT_NE(told.find("exit code 53"), std::string::npos) << told;
    EXPECT_NE(told.find("cmd: cannot reach the game folder"), std::string::npos) << told;
    Press(w.main(), "launchButton");
}

// The filter narrows the list as the player types (Ctrl+F reaches it, Escape clears it), a
// selection it hides is no selection, and the ship set installed is marked while its cycle is open.
void FilterTheList(Walk& w) {
    w.start();
    auto* filter = Child<QLineEdit>(w.main(), "shipSetFilter");
    EXPECT_FALSE(filter->placeholderText().isEmpty());
    QTest::keyClick(w.main(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(w.main()->focusWidget(), filter);
    ClickItem(w.main(), "shipSetList", 0);
    EXPECT_TRUE(Enabled(w.main(), "launchButton"));
    QTest::keyClicks(filter, "PLAIN");
    EXPECT_EQ(w.listed(), std::vector<std::string>{"Patchinfo.txt not found (Plain.gob)"});
    EXPECT_FALSE(Enabled(w.main(), "launchButton")) << "the selection was hidden";
    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_EQ(w.listed().size(), 2u);

    ClickItem(w.main(), "shipSetList", 0);
    Press(w.main(), "launchButton");
    EXPECT_EQ(w.listed(), (std::vector<std::string>{"Blue Fleet  (installed)",
                                                    "Patchinfo.txt not found (Plain.gob)"}));
    w.loadPilot(1, "Nova");
    w.waitForTheGame();
    w.expectKeepQuestion();
    Press(w.main(), "launchButton");
    EXPECT_EQ(w.listed().front(), "Blue Fleet");
}
#endif

// The real windows, walked as a player walks them: whatever the walk, the game folder, the ship
// set directory and everything beside them end as they were.
TEST(WindowsTest, EveryWalkLeavesTheFoldersAsTheyWere) {
    TempFolder other;
    WriteGob(other / "B.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Beta")}});
    const std::vector<std::string> ours = {"Blue Fleet", "Patchinfo.txt not found (Plain.gob)"};
    const std::string newVersion =
        "You have downloaded a new version of Tolvane, good for you.  You need to set up the "
        "options again.";
    const struct {
        const char* what;
        std::function<void(Walk&)> walk;
    } walks[] = {
        {"first run",
         [&](Walk& w) { w.chooseOptions(nullptr, kFirstRun, w.game.shipSets(), ours); }},
        {"a new version",
         [&](Walk& w) { w.chooseOptions("2.4", newVersion, other.path(), {"Beta"}); }},
        {"options later", [&](Walk& w) { w.chooseOptions("2.5", "", other.path(), {"Beta"}); }},
        {"every window and its keys", OpenEveryWindow},
#ifndef _WIN32
        {"a cycle by mouse", PlayByMouse},
        {"a cycle by keyboard alone", PlayByKeyboardAlone},
        {"a restart mid-cycle", RestartMidCycle},
        {"a restore under the running game", RestoreUnderTheRunningGame},
        {"a game that never starts", AGameThatNeverStarts},
        {"the filter", FilterTheList},
#endif
    };
    for (const auto& row : walks) {
        SCOPED_TRACE(row.what);
        Walk w;
        Tree before = w.everything();
        row.walk(w);
        EXPECT_EQ(w.everything(), before);
    }
}

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
