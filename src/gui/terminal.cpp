#include "gui/terminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>
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
    "Exit codes:\n"
    "  0  done\n"
    "  1  something else went wrong (what is printed)\n"
    "  2  bad arguments; nothing was done\n"
    "  3  refused; nothing has been changed\n"
    "  4  the game folder is not back yet: run tolvane --restore\n"
    "  5  Tolvane is already running";

// The command the arguments ask for, or the error text that tells why they do not.
std::variant<Command, QString> Parse(QCommandLineParser& parser, const QStringList& arguments) {
    QCommandLineOption list("list", "Lists the ShipSets: name and file, one a line.");
    QCommandLineOption preview("preview", "Shows what launching <set> would change.", "set");
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

}  // namespace

int RunFromTerminal(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(tolvane::kProgramTitle);
    QCoreApplication::setOrganizationName(tolvane::kProgramTitle);
    QCoreApplication::setApplicationVersion(QString::fromStdString(CurrentVersion()));

    QCommandLineParser parser;
    std::variant<Command, QString> parsed = Parse(parser, QCoreApplication::arguments());
    if (parser.isSet("help"))
        parser.showHelp(kDone);
    if (parser.isSet("version"))
        parser.showVersion();
    if (const QString* error = std::get_if<QString>(&parsed)) {
        std::cerr << ToStdString(*error) << "\nSee tolvane --help.\n";
        return kBadArguments;
    }

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
    const Command& command = std::get<Command>(parsed);
    QtSettingsStore store(qEnvironmentVariable("TOLVANE_SETTINGS"));
    TerminalPrompts prompts(std::cout, std::cerr, command);
    Session session(store, prompts, ToPath(QCoreApplication::applicationDirPath()),
                    ToPath(dataFolder));
    return RunCommand(command, session, std::cout, std::cerr, isatty(fileno(stderr)) != 0);
}

}  // namespace tolvane
