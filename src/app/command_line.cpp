#include "app/command_line.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <thread>
#include <variant>

#include "app/game_end.h"
#include "app/pilot_loader_logic.h"
#include "app/terminal_progress.h"
#include "game_start/game_start.h"
#include "game_start/run_batch.h"
#include "launch/launch_preview.h"
#include "launch/open_cycle.h"
#include "launch/restore.h"
#include "packages/catalogue.h"
#include "pilots/pilot_files.h"
#include "platform/error.h"
#include "platform/interrupt.h"
#include "platform/path_checks.h"
#include "platform/process.h"
#include "text/name_key.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

// How long a game asked to end with the program may take before the game folder is put back.
constexpr std::chrono::seconds kGameEndGrace{5};

std::string Printable(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

ExitCode StoppedBy(int signal) {
    return static_cast<ExitCode>(kStoppedBySignal + signal);
}

// What came of starting the game.
enum class Play { Played, NeverStarted, LeftRunning };

class CommandRun {
  public:
    CommandRun(const Command& command, Session& session, std::ostream& out, std::ostream& errors,
               bool terminal)
        : command_(command),
          session_(session),
          out_(out),
          errors_(errors),
          progress_(errors, terminal) {}

    ExitCode run() {
        session_.loadSettings();
        if (session_.settings.optionsNeeded) {
            errors_ << "Tolvane's options are not set up: set the game's XWINGALLIANCE.EXE and "
                       "the ShipSet directory "
                    << session_.prompts.howTo(Instruction::SetOptions) << ".\n";
            return kRefused;
        }
        EnterShipSetFolder(session_.settings);
        switch (command_.mode) {
            case Command::Mode::List:
                return list();
            case Command::Mode::Preview:
                return preview();
            case Command::Mode::Play:
                return play();
            case Command::Mode::Restore:
                return restore();
        }
        return kFailed;
    }

  private:
    std::string leftOpen() const {
        return "The game folder is not back as it was yet: run " + command_.names.commands +
               " --restore to put it back.\n";
    }

    std::optional<std::vector<ShipSetEntry>> shipSets() {
        fs::path folder = ShipSetFolderOf(session_.settings);
        if (!IsAccessibleFolder(folder)) {
            errors_ << "The ShipSet directory " << DisplayPath(folder) << " does not exist: set it "
                    << session_.prompts.howTo(Instruction::SetOptions) << ".\n";
            return std::nullopt;
        }
        TerminalProgress reading(errors_, false);
        reading.begin("", std::nullopt, true);
        return ReadShipSetNames(folder, reading);
    }

    // The package the command names: by its file name in any letter case, else by its name in
    // the list, which must then be one package's alone.
    std::variant<fs::path, ExitCode> shipSet() {
        std::optional<std::vector<ShipSetEntry>> entries = shipSets();
        if (!entries)
            return kRefused;
        for (const ShipSetEntry& entry : *entries) {
            if (NameKey(Utf8Of(entry.package.filename())) == NameKey(command_.shipSet))
                return entry.package;
        }
        std::vector<fs::path> named;
        for (const ShipSetEntry& entry : *entries) {
            if (entry.listName == command_.shipSet)
                named.push_back(entry.package);
        }
        std::string folder = DisplayPath(ShipSetFolderOf(session_.settings));
        if (named.empty()) {
            errors_ << "No ShipSet in " << folder << " is named " << command_.shipSet << ": "
                    << command_.names.commands << " --list shows their names and files.\n";
            return kBadArguments;
        }
        if (named.size() > 1) {
            errors_ << named.size() << " ShipSets in " << folder << " are named "
                    << command_.shipSet << ":";
            for (const fs::path& package : named)
                errors_ << "\n  " << Utf8Of(package.filename());
            errors_ << "\nGive the file name of the one to use.\n";
            return kBadArguments;
        }
        return named.front();
    }

    ExitCode list() {
        std::optional<std::vector<ShipSetEntry>> entries = shipSets();
        if (!entries)
            return kRefused;
        for (const ShipSetEntry& entry : *entries)
            out_ << entry.listName << "\t" << Utf8Of(entry.package.filename()) << "\n";
        return kDone;
    }

    ExitCode preview() {
        std::variant<fs::path, ExitCode> package = shipSet();
        if (const ExitCode* code = std::get_if<ExitCode>(&package))
            return *code;
        LaunchPreview preview = PreviewLaunch(session_, std::get<fs::path>(package));
        (preview.refused ? errors_ : out_) << Printable(preview.summary) << "\n";
        for (const ChangedPath& path : preview.paths)
            out_ << "  " << path.path << "  (" << MarkName(path.mark) << ")\n";
        return preview.refused ? kRefused : kDone;
    }

    ExitCode play() {
        std::variant<fs::path, ExitCode> package = shipSet();
        if (const ExitCode* code = std::get_if<ExitCode>(&package))
            return *code;
        if (!restoreOpenCycle()) {
            errors_ << leftOpen();
            return kCycleOpen;
        }
        std::variant<LaunchPlan, LaunchRefusal> planned =
            PlanLaunch(session_, std::get<fs::path>(package));
        if (const auto* refusal = std::get_if<LaunchRefusal>(&planned)) {
            session_.prompts.message(refusal->text, refusal->title, refusal->icon);
            return kRefused;
        }
        const LaunchPlan& plan = std::get<LaunchPlan>(planned);
        std::optional<std::string> pilot;
        if (command_.pilot) {
            pilot = pilotToLoad(plan);
            if (!pilot)
                return kBadArguments;
        }
        LaunchResult launched{LaunchOutcome::NotStarted, {}};
        try {
            progress_.begin("Installing", static_cast<int>(plan.journal.members.size()), true);
            launched = LaunchShipSet(session_.store, session_.prompts, progress_, plan);
            progress_.finish();
        } catch (const Interruption&) {
            progress_.finish();
            errors_ << "Stopped: the game folder is put back as it was.\n";
            return afterStop(restoreLast());
        }
        switch (launched.outcome) {
            case LaunchOutcome::NotStarted:
                return kRefused;
            case LaunchOutcome::FailedCycleOpen:
                errors_ << Printable(launched.failure) << "\n";
                return undoInstall(launched.record);
            case LaunchOutcome::WaitingForPilot:
                break;
        }
        Play played = playGame(pilot);
        if (played == Play::LeftRunning) {
            errors_ << "Stopped, and the game still runs. " << leftOpen();
            return kCycleOpen;
        }
        RestoreOutcome restored = restoreAfterPlay(launched.record);
        if (Interrupted())
            return afterStop(restored);
        if (restored != RestoreOutcome::Restored) {
            errors_ << leftOpen();
            return kCycleOpen;
        }
        return played == Play::Played ? kDone : kFailed;
    }

    ExitCode afterStop(RestoreOutcome restored) {
        if (restored != RestoreOutcome::Restored) {
            errors_ << leftOpen();
            return kCycleOpen;
        }
        return StoppedBy(InterruptSignal());
    }

    // An install that failed part of the way is undone at once: a terminal has no button to
    // press later.
    ExitCode undoInstall(const LaunchedShipSet& record) {
        if (restoreAfterPlay(record) != RestoreOutcome::Restored) {
            errors_ << leftOpen();
            return kCycleOpen;
        }
        errors_ << "The game folder is back as it was: nothing has been changed.\n";
        return kRefused;
    }

    // A cycle an earlier run left open (a Steam entry ended while the game ran, a crash, a power
    // cut) is put back before another ship set plays, as the windows offer at their start; never
    // under this player's game while it runs.
    bool restoreOpenCycle() {
        if (!LaunchCycleOpen(session_.settings, session_.store))
            return true;
        if (GameRuns()) {
            errors_ << "A ShipSet is still installed from an earlier launch, and the game is still "
                       "running: Tolvane plays none over it.\n";
            return false;
        }
        errors_ << "A ShipSet is still installed from an earlier launch: the game folder is put "
                   "back first.\n";
        return restoreLast() == RestoreOutcome::Restored;
    }

    bool GameRuns() const {
        return ProgramIsRunning(GameImagePaths(PathFromUtf8(session_.settings.gameExePath)));
    }

    // The pilot --pilot names, among the game's pilots and those the ship set installs: the name
    // as written, else the one pilot whose name differs from it in letter case alone (the game's
    // file system ignores case).
    std::optional<std::string> pilotToLoad(const LaunchPlan& plan) {
        const std::string& wanted = *command_.pilot;
        std::vector<std::string> pilots = ReadPilotNames(GameFolderOf(session_.settings)).names;
        for (const JournalMember& member : plan.journal.members) {
            if (member.change == MemberChange::Kept || member.relativePath.has_parent_path() ||
                !IsPilotFile(member.relativePath))
                continue;
            const GobMember& packaged = plan.package.members()[member.number - 1];
            pilots.push_back(
                PilotNameFromHeader(plan.package.readMember(packaged, kPilotNameBytes)));
        }
        if (std::find(pilots.begin(), pilots.end(), wanted) != pilots.end())
            return wanted;
        std::set<std::string> alike;
        for (const std::string& pilot : pilots) {
            if (NameKey(pilot) == NameKey(wanted))
                alike.insert(pilot);
        }
        if (alike.size() == 1)
            return *alike.begin();
        if (alike.empty()) {
            errors_ << "The game has no pilot named " << wanted
                    << ", and the ShipSet brings none of that name.\n";
        } else {
            errors_ << "The game has pilots named";
            for (const std::string& pilot : alike)
                errors_ << " " << pilot;
            errors_ << ": give the name in its own letter case.\n";
        }
        return std::nullopt;
    }

    // Switches the pilot when asked to, starts the game as "Load Pilot" does and waits for it
    // to end.
    Play playGame(const std::optional<std::string>& pilot) {
        try {
            if (pilot)
                SwitchPilot(session_, *pilot, false);
            StartedGame game = RunGame(session_, RunBatchPlaceOfOpenCycle(session_.settings));
            out_ << "The game has started; the game folder is put back when it ends.\n"
                 << std::flush;
            if (!waitForTheGame(game.program))
                return Play::LeftRunning;
            if (std::optional<std::string> why = WhyTheGameNeverStarted(game.program)) {
                errors_ << Printable(*why) << "\n";
                return Play::NeverStarted;
            }
            return Play::Played;
        } catch (const Error& error) {
            errors_ << Printable(error.what()) << "\nThe game was not started.\n";
            return Play::NeverStarted;
        }
    }

    // After an interrupt the game has a few seconds more to end: Steam's "Exit game" and a
    // handheld's sleep send it the same signal. False when it still runs then.
    static bool waitForTheGame(RunningProgram& game) {
        std::optional<std::chrono::steady_clock::time_point> deadline;
        while (game.running()) {
            auto now = std::chrono::steady_clock::now();
            if (Interrupted() && !deadline)
                deadline = now + kGameEndGrace;
            if (deadline && now > *deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return true;
    }

    RestoreOutcome restoreAfterPlay(const LaunchedShipSet& record) {
        progress_.begin("Restoring", std::nullopt, false);
        RestoreOutcome outcome = RestoreAfterPlay(session_, progress_, record);
        progress_.finish();
        return outcome;
    }

    RestoreOutcome restoreLast() {
        progress_.begin("Restoring", std::nullopt, false);
        RestoreOutcome outcome = RestoreLastShipSet(
            session_, progress_, LastShipSetPackage(session_.settings, session_.store));
        progress_.finish();
        return outcome;
    }

    ExitCode restore() {
        if (!LaunchCycleOpen(session_.settings, session_.store)) {
            RemoveEndedCycleLeftovers(session_.settings, session_.folders, session_.prompts);
            out_ << "No ShipSet is installed: the game folder is as it was.\n";
            return kDone;
        }
        if (GameRuns() && session_.prompts.question(
                              "The game is still running. Restore the game folder anyway?",
                              "Game Still Running", Icon::Exclamation, Answer::No) == Answer::No) {
            errors_ << leftOpen();
            return kCycleOpen;
        }
        RestoreOutcome outcome = restoreLast();
        if (Interrupted())
            return afterStop(outcome);
        if (outcome == RestoreOutcome::Restored)
            return kDone;
        errors_ << leftOpen();
        return kCycleOpen;
    }

    const Command& command_;
    Session& session_;
    std::ostream& out_;
    std::ostream& errors_;
    TerminalProgress progress_;
};

}  // namespace

void TerminalPrompts::message(const std::string& text, const std::string& title, Icon icon) {
    std::ostream& to = icon == Icon::Information ? out_ : errors_;
    to << title << ": " << Printable(text) << "\n" << std::flush;
}

Answer TerminalPrompts::question(const std::string& text, const std::string& title, Icon,
                                 Answer defaultAnswer) {
    Answer answer = defaultAnswer;
    if (title == "Pilot Exists!")
        answer = command_.replacePilots ? Answer::Yes : Answer::No;
    else if (title == "Keep Pilot?")
        answer = command_.revertPilots ? Answer::No : Answer::Yes;
    out_ << title << ": " << Printable(text) << " " << (answer == Answer::Yes ? "Yes" : "No")
         << "\n"
         << std::flush;
    return answer;
}

std::string TerminalPrompts::howTo(Instruction what) const {
    switch (what) {
        case Instruction::Restore:
            return "run " + command_.names.commands + " --restore";
        case Instruction::SetOptions:
            return "in Options (start " + command_.names.windows + ")";
    }
    return "";
}

ExitCode RunCommand(const Command& command, Session& session, std::ostream& out,
                    std::ostream& errors, bool terminal) {
    CatchInterrupts();
    try {
        return CommandRun(command, session, out, errors, terminal).run();
    } catch (const Interruption&) {
        errors << "Stopped.\n";  // only reading stops so: nothing had changed
        return StoppedBy(InterruptSignal());
    } catch (const Error& error) {
        errors << Printable(error.what()) << "\n";
        return kFailed;
    }
}

}  // namespace tolvane
