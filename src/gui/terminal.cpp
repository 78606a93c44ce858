#include "gui/terminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <variant>

#include "app/command_line.h"
#include "gui/qt_settings_store.h"
#include "gui/qt_text.h"
#include "gui/single_instance.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace tolvane {
namespace {

constexpr const char* kDescription =
    "Plays a ShipSet with no window: installs it, starts the game, and puts the game folder back "
    "when the game ends.\n\n"
    "A --play that finds a ShipSet still installed by an earlier run (a Steam entry ended while "
    "the game ran) puts the game folder back first, unless the game still runs. Ctrl+C, SIGTERM "
    "or SIGHUP while the game runs gives the game a few seconds to end, then puts the game "
    "folder back.\n\n"
    "Exit codes:\n"
    "  0    done\n"
    "  1    something else went wrong, or the game did not start (what is printed)\n"
    "  2    bad arguments; nothing was done\n"
    "  3    refused, or undone; the game folder is as it was\n"
    "  4    the game folder is not back yet: run --restore\n"
    "  5    Tolvane is already running\n"
    "  128+N  stopped by signal N (130 Ctrl+C, 143 SIGTERM); the game folder is back";

// The command the arguments ask for, or the error text that tells why they do not.
std::variant<Command, QString> Parse(QCommandLineParser& parser, const QStringList& arguments) {
    QCommandLineOption list("list", "Lists the ShipSets: name and file, one a line.");
    QCommandLineOption preview("preview",
                               "Shows what launching <set> would change: its name in the list, "
                               "or its file name.",
                               "set");
    QCommandLineOption play("play", "Plays <set> and then puts the game folder back.", "set");
    QCommandLineOption pilot("pilot", "With --play: the game loads pilot <name>.", "name");
    QCommandLineOption replacePilots("replace-pilots",
                                     "With --play: the ShipSet's pilot files replace the game's.");
    QCommandLineOption revertPilots("revert-pilots",
                                    "With --play: the pilot files come back as before the launch.");
    QCommandLineOption restore("restore", "Puts the game folder back after a launch left open.");
    parser.setApplicationDescription(kDescription);
    parser.addOptions({list, preview, play, pilot, replacePilots, revertPilots, restore});
    parser.addHelpOption();
    parser.addVersionOption();
    if (!parser.parse(arguments))
        return parser.errorText();
    if (!parser.positionalArguments().isEmpty())
        return "Unexpected argument: " + parser.positionalArguments().front();
    QStringList given = parser.optionNames();
    if (given.removeDuplicates() > 0)
        return "Give each option once.";
    int modes =
        parser.isSet(list) + parser.isSet(preview) + parser.isSet(play) + parser.isSet(restore);
    if (modes != 1)
        return "Give one of --list, --preview, --play and --restore.";
    if (!parser.isSet(play) &&
        (parser.isSet(pilot) || parser.isSet(replacePilots) || parser.isSet(revertPilots)))
        return "--pilot, --replace-pilots and --revert-pilots go with --play.";
    Command command;
    command.mode = parser.isSet(list)      ? Command::Mode::List
                   : parser.isSet(preview) ? Command::Mode::Preview
                   : parser.isSet(play)    ? Command::Mode::Play
                                           : Command::Mode::Restore;
    command.shipSet = ToStdString(parser.isSet(play) ? parser.value(play) : parser.value(preview));
    if (parser.isSet(pilot))
        command.pilot = ToStdString(parser.value(pilot));
    command.replacePilots = parser.isSet(replacePilots);
    command.revertPilots = parser.isSet(revertPilots);
    return command;
}

// The exit code of a command whose output reached its reader; a failed write (a full disk, a
// closed pipe) is a failure of the command, said on the error stream.
int WrittenOut(int exitCode) {
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout))
        return exitCode;
    std::cerr << "Tolvane could not write its output: " << std::strerror(errno) << "\n";
    return exitCode == kDone ? kFailed : exitCode;
}

// How messages name this program: as it was started (tolvane, tolvane-cli), and its windows.
ProgramNames NamesOfThisProgram() {
    ProgramNames names;
    names.commands = ToStdString(QFileInfo(QCoreApplication::applicationFilePath()).baseName());
#ifdef _WIN32
    names.windows = "tolvane.exe";
#endif
    return names;
}

}  // namespace

int RunFromTerminal(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(tolvane::kProgramTitle);
    QCoreApplication::setOrganizationName(tolvane::kProgramTitle);
    QCoreApplication::setApplicationVersion(QString::fromStdString(CurrentVersion()));

    ProgramNames names = NamesOfThisProgram();
    // Help and version are printed here, never in a message box, so that a pipe gets them too.
    QCommandLineParser parser;
    std::variant<Command, QString> parsed = Parse(parser, QCoreApplication::arguments());
    if (parser.isSet("help") || parser.isSet("help-all")) {
        std::cout << ToStdString(parser.helpText()) << std::flush;
        return WrittenOut(kDone);
    }
    if (parser.isSet("version")) {
        std::cout << kProgramTitle << " " << CurrentVersion() << "\n" << std::flush;
        return WrittenOut(kDone);
    }
    if (argc < 2) {
        std::cerr << ToStdString(parser.helpText());
        return kBadArguments;
    }
    if (const QString* error = std::get_if<QString>(&parsed)) {
        std::cerr << ToStdString(*error) << "\nSee " << names.commands << " --help.\n";
        return kBadArguments;
    }
    Command command = std::get<Command>(parsed);
    command.names = names;

    QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    SingleInstance instance(dataFolder);
    if (instance.lock().state() == InstanceLock::State::HeldElsewhere) {
        std::cerr << "Tolvane is already running.\n";
        return kAlreadyRunning;
    }
    if (!instance.lock().acquired()) {
        std::cerr << instance.lock().failure() << "\n";
        return kFailed;
    }
    QtSettingsStore store(qEnvironmentVariable("TOLVANE_SETTINGS"));
    TerminalPrompts prompts(std::cout, std::cerr, command);
    Session session(store, prompts, ToPath(QCoreApplication::applicationDirPath()),
                    ToPath(dataFolder));
    return WrittenOut(
        RunCommand(command, session, std::cout, std::cerr, isatty(fileno(stderr)) != 0));
}

}  // namespace tolvane
