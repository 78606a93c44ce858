// The real program started with arguments, as a terminal, a script or Steam's game mode starts
// it: no window and no display.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <functional>
#include <thread>

#include "game_start/game_start.h"
#include "gui/qt_settings_store.h"
#include "platform/instance_lock.h"
#include "platform/process.h"
#include "support/sample_world.h"
#include "support/stand_in_game.h"
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
  public:  // for the table's rows that arrange the folders
    CommandLineTest() {
        WriteGob(game.shipSets() / "Blue.gob",
                 {{"PATCHINFO.TXT", PatchInfoText("Name: Blue Fleet")},
                  {"DATA.LFD", "package data"},
                  {"wave\\X.WAV", "new sound"}});
        WriteFileBytes(game.shipSets() / "Broken.gob", "gob, not GOB");
        saveTheSettings();
        before = Snapshot(game.game().parent_path());
    }

    void save(const std::string& section, const std::string& key, const std::string& value) {
        QtSettingsStore(QString::fromStdString(settingsFile().string())).save(section, key, value);
    }
    // The stand-in game's settings, where the program reads them.
    void saveTheSettings() {
        for (const auto& [key, value] : game.store.values) {
            std::size_t slash = key.find('/');
            save(key.substr(0, slash), key.substr(slash + 1), value);
        }
    }
    fs::path settingsFile() const { return game.game().parent_path() / "Tolvane.ini"; }
    fs::path dataHome() const { return game.game().parent_path() / "UserData"; }

    void start(QProcess& program, const QStringList& arguments, const std::string& runner,
               const QString& path = TOLVANE_PROGRAM) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(display);
        environment.insert("TOLVANE_SETTINGS", QString::fromStdString(settingsFile().string()));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(dataHome().string()));
        environment.insert("TOLVANE_BATCH_RUNNER", QString::fromStdString(runner));
        if (withoutWine) {
            environment.remove("TOLVANE_BATCH_RUNNER");
            environment.insert("PATH", QString::fromStdString(scripts.path().string()));
        }
        program.setProcessEnvironment(environment);
        program.start(path, arguments);
        ASSERT_TRUE(program.waitForStarted());
    }

    // Where the program's output goes: pipes, a full disk, or a terminal (script gives it one).
    enum class Output { Pipes, FullDisk, Terminal };

    Ended run(const QStringList& arguments, const std::string& runner, Output output) {
        QProcess program;
        if (output == Output::FullDisk)
            program.setStandardOutputFile("/dev/full");
        if (output == Output::Terminal) {
            QString command = QString("'%1'").arg(TOLVANE_PROGRAM);
            for (const QString& argument : arguments)
                command += " '" + argument + "'";
            start(program, {"-qec", command, "/dev/null"}, runner, "script");
        } else {
            start(program, arguments, runner);
        }
        EXPECT_TRUE(program.waitForFinished(60000));
        return {program.exitCode(), program.readAllStandardOutput().toStdString(),
                program.readAllStandardError().toStdString()};
    }
    Ended run(const QStringList& arguments) { return run(arguments, runner(""), Output::Pipes); }

    // Everything as before the first command; the settings and the lock may have changed.
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

    // A stand-in for the game's starter: it notes config.cfg's first line, then does `play`.
    std::string runner(const std::string& play) {
        fs::path script = scripts / "runner.sh";
        WriteFileBytes(script, "#!/bin/sh\nhead -n 1 '" + (game.game() / "config.cfg").string() +
                                   "' > '" + seen().string() + "'\n" + play + "\n");
        fs::permissions(script, fs::perms::owner_all);
        return script.string();
    }
    fs::path seen() const { return scripts / "seen.txt"; }
    // A game as this player's processes show it: a process whose arguments name the executable.
    std::string gameProcess(const std::string& body) const {
        return "echo $$ > '" + (scripts / "pid").string() + "'\nsh -c '" + body + "' '" +
               game.executable().string() + "'";
    }
    void signalTheGame(int signal) const {
        ::kill(-std::stoi(ReadFileBytes(scripts / "pid")), signal);  // its own process group
    }

    TempFolder scripts;  // the stand-in starter and what it saw, apart from the game's folders
    StandInGame game;
    std::map<std::string, std::string> before;
    std::optional<InstanceLock> otherTolvane;
    bool withoutWine = false;  // no stand-in starter, and no Wine on the PATH
};

using Arrange = std::function<void(CommandLineTest&)>;

// One invocation each: its exit code, what it says, what it never says, and the game folder as
// before afterwards, whether it played, refused or undid its work.
struct Invocation {
    const char* what;
    const char* arguments;  // as a shell would split them
    int exitCode;
    std::string said;       // in its output or its errors
    std::string seen = "";  // config.cfg's first line as the game saw it, if started
    Arrange arrange = [](CommandLineTest&) {};
    std::string play = "";  // what the stand-in game does
    CommandLineTest::Output output = CommandLineTest::Output::Pipes;
};

TEST_F(CommandLineTest, EachInvocationEndsWithItsCodeAndLeavesTheGameFolderAsItWas) {
    const Arrange nothing = [](CommandLineTest&) {};
    const Arrange twins = [](CommandLineTest& t) {
        for (const char* file : {"Twin1.gob", "Twin2.gob"})
            WriteGob(t.game.shipSets() / file, {{"PATCHINFO.TXT", PatchInfoText("Name: Twin")}});
    };
    const Arrange noShipSets = [](CommandLineTest& t) {
        t.save("Settings", "ShipSet Dir", (t.game.shipSets() / "gone").string());
    };
    const Arrange rookies = [](CommandLineTest& t) {
        WriteGob(t.game.shipSets() / "Rookies.gob",
                 {{"PATCHINFO.TXT", PatchInfoText("Name: Rookie Pilots")},
                  {"Rookie.plt", std::string("Rookie\0\0\0\0\0\0body", 16)}});
    };
    const Arrange badPatch = [](CommandLineTest& t) {
        WriteGob(t.game.shipSets() / "Bad.gob", {{"zt\\bad.zt", MakeZt({{-4, "x"}})}});
    };
    const Arrange noWine = [](CommandLineTest& t) { t.withoutWine = true; };
    const Arrange noOptions = [](CommandLineTest& t) { fs::remove(t.settingsFile()); };
    const Arrange anotherTolvane = [](CommandLineTest& t) {
        fs::path folder = t.dataHome() / "Tolvane" / "Tolvane";
        fs::create_directories(folder);
        t.otherTolvane.emplace(folder / "Tolvane.lock");
    };
    using enum CommandLineTest::Output;
    const Invocation cases[] = {
        {"list", "--list", 0,
         "Blue Fleet\tBlue.gob\nPatchinfo.txt not found (Broken.gob, unreadable)\tBroken.gob\n"},
        {"preview by file name in any case", "--preview blue.GOB", 0, "DATA.LFD  (replaced)"},
        {"preview of a set the launch refuses", "--preview Broken.gob", 3, "not a valid"},
        {"play with progress a log can read", R"(--play "Blue Fleet" --pilot Nova)", 0,
         "Installing 3 of 3 files\n", "lastpilot Nova\r\n"},
        {"the ship set's own pilot, in another letter case, left untouched and asked nothing of",
         R"(--play "Rookie Pilots" --pilot rookie)", 0, "the game folder is put back",
         "lastpilot Rookie\r\n", rookies},
        {"play in a terminal: the progress is one line, updated", R"(--play "Blue Fleet")", 0,
         "\rInstalling 3 of 3 files\r\n", "lastpilot Ace\r\n", nothing, "", Terminal},
        {"no such pilot", R"(--play "Blue Fleet" --pilot Nobody)", 2, "no pilot named Nobody"},
        {"no such ship set", R"(--play "No Such Set")", 2, "is named No Such Set"},
        {"a name two ship sets have", "--preview Twin", 2, "Twin1.gob\n  Twin2.gob", "", twins},
        {"one of them by its file", "--preview Twin2.gob", 0, "Adds 1 file", "", twins},
        {"an install that fails is undone", "--play Bad.gob", 3,
         "The game folder is back as it was: nothing has been changed.", "", badPatch},
        {"a game that ends at once", "--play Blue.gob", 1, "(no such starter program was found)",
         "lastpilot Ace\r\n", nothing, "exit 127"},
        {"no Wine to start the game", "--play Blue.gob", 1, "Wine is not installed", "", noWine},
        {"list without a ship set directory", "--list", 3, "does not exist", "", noShipSets},
        {"preview without it", R"(--preview "Blue Fleet")", 3, "does not exist", "", noShipSets},
        {"play without it", R"(--play "Blue Fleet")", 3, "does not exist", "", noShipSets},
        {"no options yet", "--list", 3, "in Options (start tolvane with no arguments)", "",
         noOptions},
        {"two modes", "--list --restore", 2, "Give one of"},
        {"a mode twice", "--list --list", 2, "Give each option once."},
        {"a mode without its ship set", "--preview", 2, "Missing value"},
        {"a pilot without play", "--list --pilot Ace", 2, "go with --play"},
        {"help", "--help", 0, "128+N"},
        {"output to a full disk", "--list", 1, "could not write its output", "", nothing, "",
         FullDisk},
        {"a second Tolvane", "--list", 5, "Tolvane is already running.", "", anotherTolvane},
    };
    for (const Invocation& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange(*this);
        before = Snapshot(game.game().parent_path());
        Ended ended = run(QProcess::splitCommand(QString(c.arguments)), runner(c.play), c.output);
        std::string said = ended.out + ended.errors;
        EXPECT_EQ(ended.exitCode, c.exitCode) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        for (const char* windowsOnly : {"Click here", "registry", "Keep Pilot?"})
            EXPECT_EQ(said.find(windowsOnly), std::string::npos) << said;
        EXPECT_EQ(fs::exists(seen()) ? ReadFileBytes(seen()) : "", c.seen);
        fs::remove(seen());
        expectAsBefore();
        otherTolvane.reset();
        withoutWine = false;
        saveTheSettings();
    }
}

// A game that outlives the signal keeps the cycle open; a --play under it refuses, and one after
// it ends puts the game folder back first and then plays.
TEST_F(CommandLineTest, AGameThatOutlivesTheStopIsRestoredByTheNextPlay) {
    fs::path stop = scripts / "stop";
    QProcess playing;
    start(playing, {"--play", "Blue Fleet"},
          runner("trap '' TERM\n" +
                 gameProcess("while [ ! -e " + stop.string() + " ]; do sleep 0.1; done")));
    ASSERT_TRUE(WaitFor([&] { return fs::exists(scripts / "pid"); }, std::chrono::seconds(30),
                        [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }));
    playing.terminate();
    signalTheGame(SIGTERM);
    ASSERT_TRUE(playing.waitForFinished(30000));
    EXPECT_EQ(playing.exitCode(), 4);
    EXPECT_NE(playing.readAllStandardError().toStdString().find("tolvane --restore"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "package data");

    Ended underTheGame = run({"--play", "Blue Fleet"});
    EXPECT_EQ(underTheGame.exitCode, 4);
    EXPECT_NE(underTheGame.errors.find("the game is still running"), std::string::npos);

    WriteFileBytes(stop, "");
    ASSERT_TRUE(WaitFor([&] { return !ProgramIsRunning(GameImagePaths(game.executable())); },
                        std::chrono::seconds(30),
                        [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); }));
    fs::remove(stop);
    Ended again = run({"--play", "Blue Fleet"});
    EXPECT_EQ(again.exitCode, 0) << again.errors;
    EXPECT_NE(again.errors.find("the game folder is put back first"), std::string::npos);
    fs::remove(seen());
    expectAsBefore();
}

}  // namespace
}  // namespace tolvane::testing
