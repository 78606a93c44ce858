#include "app/command_line.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <variant>

#include "app/game_end.h"
#include "app/pilot_loader_logic.h"
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
#include "text/name_matching.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

constexpr const char* kLeftOpen =
    "The game folder is not back as it was yet: run tolvane --restore to put it back.";

// Thrown between two steps of the cycle when the terminal asks the program to stop.
struct Interruption {};

// Progress on the terminal, where there is one; every step is a point where Ctrl+C stops.
class TerminalProgress : public Progress {
  public:
    TerminalProgress(std::ostream& errors, bool shown) : errors_(errors), shown_(shown) {}
    ~TerminalProgress() override {
        if (shown_ && value_ > 0)
            errors_ << "\n";
    }
    void setMaximum(int maximum) override { maximum_ = maximum; }
    void setValue(int value) override {
        if (Interrupted())
            throw Interruption{};
        value_ = value;
        if (shown_ && maximum_ > 0)
            errors_ << "\r" << value_ << " of " << maximum_ << std::flush;
    }
    int value() const override { return value_; }
    int maximum() const override { return maximum_; }

  private:
    std::ostream& errors_;
    bool shown_;
    int value_ = 0;
    int maximum_ = 0;
};

std::string Printable(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

// The package SET names: a name from the list, or a package's file name in any letter case.
std::optional<fs::path> FindShipSet(const std::vector<ShipSetEntry>& entries,
                                    const std::string& set) {
    for (const ShipSetEntry& entry : entries) {
        if (entry.listName == set)
            return entry.package;
    }
    for (const ShipSetEntry& entry : entries) {
        if (UpperAscii(Utf8Of(entry.package.filename())) == UpperAscii(set))
            return entry.package;
    }
    return std::nullopt;
}

class CommandRun {
  public:
    CommandRun(const Command& command, Session& session, std::ostream& out, std::ostream& errors,
               bool showProgress)
        : command_(command),
          session_(session),
          out_(out),
          errors_(errors),
          progress_(errors, showProgress) {}

    ExitCode run() {
        session_.loadSettings();
        if (session_.settings.optionsNeeded) {
            errors_ << "Tolvane's options are not set up: start Tolvane once with its windows "
                       "and set them in Options.\n";
            return kFailed;
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
    std::optional<std::vector<ShipSetEntry>> shipSets() {
        fs::path folder = ShipSetFolderOf(session_.settings);
        if (!IsAccessibleFolder(folder)) {
            errors_ << "The ShipSet directory " << DisplayPath(folder) << " does not exist.\n";
            return std::nullopt;
        }
        TerminalProgress quiet(errors_, false);
        return ReadShipSetNames(folder, quiet);
    }

    std::optional<fs::path> shipSet() {
        std::optional<std::vector<ShipSetEntry>> entries = shipSets();
        if (!entries)
            return std::nullopt;
        std::optional<fs::path> package = FindShipSet(*entries, command_.shipSet);
        if (!package) {
            errors_ << "No ShipSet in " << DisplayPath(ShipSetFolderOf(session_.settings))
                    << " is named " << command_.shipSet
                    << ": tolvane --list shows their names and files.\n";
        }
        return package;
    }

    ExitCode list() {
        std::optional<std::vector<ShipSetEntry>> entries = shipSets();
        if (!entries)
            return kFailed;
        for (const ShipSetEntry& entry : *entries)
            out_ << entry.listName << "\t" << Utf8Of(entry.package.filename()) << "\n";
        return kDone;
    }

    ExitCode preview() {
        std::optional<fs::path> package = shipSet();
        if (!package)
            return kBadArguments;
        LaunchPreview preview = PreviewLaunch(session_, *package);
        out_ << Printable(preview.summary) << "\n";
        for (const ChangedPath& path : preview.paths)
            out_ << "  " << path.path << "  (" << MarkName(path.mark) << ")\n";
        return kDone;
    }

    ExitCode play() {
        if (LaunchCycleOpen(session_.settings, session_.store)) {
            errors_ << "A ShipSet is still installed from an earlier launch, and Tolvane plays "
                       "none over it: run tolvane --restore first.\n";
            return kRefused;
        }
        std::optional<fs::path> package = shipSet();
        if (!package)
            return kBadArguments;
        if (command_.pilot) {
            std::vector<std::string> pilots = ReadPilotNames(GameFolderOf(session_.settings)).names;
            if (std::find(pilots.begin(), pilots.end(), *command_.pilot) == pilots.end()) {
                errors_ << "The game has no pilot named " << *command_.pilot << ".\n";
                return kBadArguments;
            }
        }
        std::variant<LaunchPlan, LaunchRefusal> plan = PlanLaunch(session_, *package);
        if (const auto* refusal = std::get_if<LaunchRefusal>(&plan)) {
            session_.prompts.message(refusal->text, refusal->title, refusal->icon);
            return kRefused;
        }
        try {
            LaunchResult launched = LaunchShipSet(session_.store, session_.prompts, progress_,
                                                  std::get<LaunchPlan>(plan));
            if (launched.outcome == LaunchOutcome::NotStarted)
                return kRefused;
            bool played = launched.outcome == LaunchOutcome::WaitingForPilot && playGame();
            RestoreOutcome restored = RestoreAfterPlay(session_, progress_, launched.record);
            if (restored != RestoreOutcome::Restored) {
                errors_ << kLeftOpen << "\n";
                return kCycleOpen;
            }
            return played ? kDone : kFailed;
        } catch (const Interruption&) {
            errors_ << "\nStopped. " << kLeftOpen << "\n";
            return kCycleOpen;
        }
    }

    // Switches the pilot when asked to, starts the game as "Load Pilot" does and waits for it
    // to end; false when it could not start or ended at once with an error.
    bool playGame() {
        try {
            if (command_.pilot)
                SwitchPilot(session_, *command_.pilot, false);
            StartedGame game = RunGame(session_, RunBatchPlaceOfOpenCycle(session_.settings));
            out_ << "The game has started; the game folder is put back when it ends.\n"
                 << std::flush;
            while (game.program.running()) {
                if (Interrupted())
                    throw Interruption{};
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
            if (std::optional<std::string> why = WhyTheGameNeverStarted(game.program)) {
                errors_ << Printable(*why) << "\n";
                return false;
            }
            return true;
        } catch (const Error& error) {
            errors_ << Printable(error.what()) << "\nThe game was not started.\n";
            return false;
        }
    }

    ExitCode restore() {
        if (!LaunchCycleOpen(session_.settings, session_.store)) {
            RemoveEndedCycleLeftovers(session_.settings, session_.folders, session_.prompts);
            out_ << "No ShipSet is installed: the game folder is as it was.\n";
            return kDone;
        }
        bool gameRunning =
            ProgramIsRunning(GameImagePaths(PathFromUtf8(session_.settings.gameExePath)));
        if (gameRunning && session_.prompts.question(
                               "The game is still running. Restore the game folder anyway?",
                               "Game Still Running", Icon::Exclamation, Answer::No) == Answer::No) {
            errors_ << kLeftOpen << "\n";
            return kCycleOpen;
        }
        try {
            RestoreOutcome outcome = RestoreLastShipSet(
                session_, progress_, LastShipSetPackage(session_.settings, session_.store));
            if (outcome == RestoreOutcome::Restored)
                return kDone;
            errors_ << kLeftOpen << "\n";
        } catch (const Interruption&) {
            errors_ << "\nStopped. " << kLeftOpen << "\n";
        }
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

ExitCode RunCommand(const Command& command, Session& session, std::ostream& out,
                    std::ostream& errors, bool showProgress) {
    CatchInterrupts();
    try {
        return CommandRun(command, session, out, errors, showProgress).run();
    } catch (const Error& error) {
        errors << Printable(error.what()) << "\n";
        return kFailed;
    }
}

}  // namespace tolvane
