// The real program started with arguments, as a terminal, a script or Steam's game mode starts
// it: no window and no display.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <thread>

#include "gui/qt_settings_store.h"
#include "launch/launch_preview.h"
#include "platform/instance_lock.h"
#include "support/package_files.h"
#include "support/stand_in_game.h"
#include "support/temp_folder.h"
#include "support/waiting.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

struct Ended {
    int exitCode;
    std::string out;
    std::string errors;
};

class CommandLineTest : public ::testing::Test {
  protected:
    CommandLineTest() {
        WriteGob(game.shipSets() / "Blue.gob",
                 {{"PATCHINFO.TXT", PatchInfoText("Name: Blue Fleet")},
                  {"DATA.LFD", "package data"},
                  {"wave\\X.WAV", "new sound"}});
        WriteFileBytes(game.shipSets() / "Broken.gob", "gob, not GOB");
        QtSettingsStore store(QString::fromStdString(settingsFile().string()));
        for (const auto& [key, value] : game.store.values) {
            std::size_t slash = key.find('/');
            store.save(key.substr(0, slash), key.substr(slash + 1), value);
        }
        before = Snapshot(game.game().parent_path());
    }

    fs::path settingsFile() const { return game.game().parent_path() / "Tolvane.ini"; }
    fs::path dataHome() const { return game.game().parent_path() / "UserData"; }

    QProcessEnvironment environment(const std::string& runner) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        environment.insert("TOLVANE_SETTINGS", QString::fromStdString(settingsFile().string()));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(dataHome().string()));
        environment.insert("TOLVANE_BATCH_RUNNER", QString::fromStdString(runner));
        return environment;
    }

    void start(QProcess& program, const QStringList& arguments,
               const std::string& runner = "/bin/true") {
        program.setProcessEnvironment(environment(runner));
        program.start(TOLVANE_PROGRAM, arguments);
        ASSERT_TRUE(program.waitForStarted());
    }

    Ended run(const QStringList& arguments, const std::string& runner = "/bin/true") {
        QProcess program;
        start(program, arguments, runner);
        EXPECT_TRUE(program.waitForFinished(60000));
        return {program.exitCode(), program.readAllStandardOutput().toStdString(),
                program.readAllStandardError().toStdString()};
    }

    // Everything as before the first command; the settings file may have changed.
    void expectAsBefore() {
        auto now = Snapshot(game.game().parent_path());
        for (auto* tree : {&now, &before}) {
            for (auto it = tree->begin(); it != tree->end();) {
                it = it->first.starts_with("UserData/") || it->first == "Tolvane.ini"
                         ? tree->erase(it)
                         : std::next(it);
            }
        }
        EXPECT_TRUE(now == before) << "the folders are not as before";
    }

    // A stand-in for the game's starter: it notes config.cfg's first line, and may wait.
    std::string runner(const std::string& wait) {
        fs::path script = scripts / "runner.sh";
        WriteFileBytes(script, "#!/bin/sh\nhead -n 1 '" + (game.game() / "config.cfg").string() +
                                   "' > '" + seen().string() + "'\n" + wait + "\n");
        fs::permissions(script, fs::perms::owner_all);
        return script.string();
    }
    fs::path seen() const { return scripts / "seen.txt"; }

    TempFolder scripts;  // the stand-in starter and what it saw, apart from the game's folders
    StandInGame game;
    std::map<std::string, std::string> before;
};

TEST_F(CommandLineTest, ListsAndPreviewsWithNoDisplay) {
    Ended listed = run({"--list"});
    EXPECT_EQ(listed.exitCode, 0) << listed.errors;
    EXPECT_EQ(listed.out, "Blue Fleet\tBlue.gob\nPatchinfo.txt not found\tBroken.gob\n");

    Ended previewed = run({"--preview", "Blue Fleet"});
    EXPECT_EQ(previewed.exitCode, 0) << previewed.errors;
    // What the information window lists for the same ship set.
    LaunchPreview window = PreviewLaunch(game.session, game.shipSets() / "Blue.gob");
    std::string expected = window.summary + "\n";
    for (const ChangedPath& path : window.paths)
        expected += "  " + path.path + "  (" + MarkName(path.mark) + ")\n";
    EXPECT_EQ(previewed.out, expected);
    EXPECT_EQ(run({"--preview", "blue.GOB"}).out, expected) << "by its file name";
    expectAsBefore();
}

TEST_F(CommandLineTest, PlaysAShipSetAndPutsTheGameFolderBack) {
    Ended played = run({"--play", "Blue Fleet", "--pilot", "Nova"}, runner(""));
    EXPECT_EQ(played.exitCode, 0) << played.errors;
    EXPECT_EQ(ReadFileBytes(seen()), "lastpilot Nova\r\n");
    fs::remove(seen());
    expectAsBefore();
}

// Each refusal says why, changes nothing and ends with its own code, before any game starts.
TEST_F(CommandLineTest, ARefusalChangesNothingAndSaysWhy) {
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* said;
    };
    const Case cases[] = {
        {{"--play", "Broken.gob"}, 3, "not a valid .Gob file"},
        {{"--play", "No Such Set"}, 2, "is named No Such Set"},
        {{"--play", "Blue Fleet", "--pilot", "Nobody"}, 2, "no pilot named Nobody"},
        {{"--list", "--restore"}, 2, "Give one of"},
        {{"--preview"}, 2, "Missing value"},
        {{"--list", "--pilot", "Ace"}, 2, "go with --play"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(" ").toStdString());
        Ended refused = run(c.arguments, runner(""));
        EXPECT_EQ(refused.exitCode, c.exitCode);
        EXPECT_NE((refused.out + refused.errors).find(c.said), std::string::npos)
            << refused.out << refused.errors;
        EXPECT_FALSE(fs::exists(seen())) << "the game was started";
        expectAsBefore();
    }
}

// Stopped while the game runs: the cycle stays open, --play refuses to play over it, and
// --restore puts everything back.
TEST_F(CommandLineTest, AStopLeavesTheCycleOpenForRestore) {
    QProcess playing;
    start(playing, {"--play", "Blue Fleet"},
          runner("echo $$ > '" + (scripts / "pid").string() + "'\nsleep 30"));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(seen()); }, std::chrono::seconds(30),
                        [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }));
    playing.terminate();  // SIGTERM
    ASSERT_TRUE(playing.waitForFinished(30000));
    EXPECT_EQ(playing.exitCode(), 4);
    EXPECT_NE(playing.readAllStandardError().toStdString().find("tolvane --restore"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "package data");
    ::kill(-std::stoi(ReadFileBytes(scripts / "pid")), SIGTERM);  // the game, in its own session

    Ended again = run({"--play", "Blue Fleet"});
    EXPECT_EQ(again.exitCode, 3);
    EXPECT_NE(again.errors.find("--restore"), std::string::npos);
    Ended restored = run({"--restore"});
    EXPECT_EQ(restored.exitCode, 0) << restored.errors;
    EXPECT_NE(restored.out.find("restored succesfully"), std::string::npos);
    fs::remove(seen());
    expectAsBefore();
}

TEST_F(CommandLineTest, ASecondTolvaneIsRefused) {
    fs::create_directories(dataHome() / "Tolvane" / "Tolvane");
    InstanceLock running(dataHome() / "Tolvane" / "Tolvane" / "Tolvane.lock");
    ASSERT_TRUE(running.acquired());
    Ended second = run({"--list"});
    EXPECT_EQ(second.exitCode, 5);
    EXPECT_NE(second.errors.find("Tolvane is already running."), std::string::npos);
}

}  // namespace
}  // namespace tolvane::testing
