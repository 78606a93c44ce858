#include "game_start/run_batch.h"

#include "game_start/game_start.h"
#include "platform/error.h"
#include "platform/folder_steps.h"
#include "platform/path_checks.h"
#include "platform/process.h"
#include "platform/whole_file_steps.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

constexpr const char* kBatchName = "RunXWA.bat";
constexpr const char* kStartLogName = "Game start.log";

// cmd expands "%" in a batch file even between quotes; doubled, it stands for itself.
std::string Literal(std::string_view text) {
    std::string result;
    for (char c : text) {
        result += c;
        if (c == '%')
            result += '%';
    }
    return result;
}

fs::path WriteBatch(const ProgramFolders& folders, RunBatchPlace place, const std::string& text) {
    fs::path inProgramFolder = folders.program / kBatchName;
    if (place == RunBatchPlace::BesideProgram && !IsSystemFolder(folders.program)) {
        try {
            WriteFileAtomically(inProgramFolder, text);
            return inProgramFolder;
        } catch (const Error&) {
            // A folder the player may not write to: their own data folder serves as well.
        }
    }
    MakeFolders(folders.userData);
    fs::path inDataFolder = folders.userData / kBatchName;
    WriteFileAtomically(inDataFolder, text);
    return inDataFolder;
}

}  // namespace

std::string RunBatchText(const std::string& windowsExePath, bool skipIntro) {
    std::size_t separator = windowsExePath.find_last_of("\\/");
    std::string folder = separator == std::string::npos ? "" : windowsExePath.substr(0, separator);
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';  // "cd D:" would only show the folder D: is in; "cd D:\" goes to its root
    std::string file =
        separator == std::string::npos ? windowsExePath : windowsExePath.substr(separator + 1);
    // The drive alone changes cmd's drive: "C:" does, "C:\" is no command at all.
    bool hasDrive = folder.size() >= 2 && folder[1] == ':';
    std::string driveLine = folder.substr(0, hasDrive ? 2 : 3);
    return "REM Do not delete this file!\r\n" + Literal(driveLine) + "\r\ncd \"" + Literal(folder) +
           "\"\r\n" + Literal(file) + (skipIntro ? " /skipintro" : "") + "\r\n";
}

#ifdef _WIN32
namespace {

// cmd reads a batch file in the console's OEM code page. Where the game folder's path has a
// character that page lacks, the folder's short (8.3) form stands in for it; and since cmd starts
// in the game folder anyway, the game starts even where the volume keeps no short names.
std::string BatchForCmd(const fs::path& executable, bool skipIntro) {
    std::string text = RunBatchText(Utf8Of(executable), skipIntro);
    if (std::optional<std::string> oem = ConsoleCodePageText(text))
        return *oem;
    if (std::optional<fs::path> shortFolder = ShortPathOf(executable.parent_path())) {
        std::string shortText =
            RunBatchText(Utf8Of(*shortFolder / executable.filename()), skipIntro);
        if (std::optional<std::string> oem = ConsoleCodePageText(shortText))
            return *oem;
    }
    return text;
}

}  // namespace
#endif

// Windows starts the game itself and has nothing to tell the player on the way.
StartedGame RunGame(Session& session, RunBatchPlace place) {
    const Settings& settings = session.settings;
    const ProgramFolders& folders = session.folders;
    fs::path executable = PathFromUtf8(settings.gameExePath);
#ifdef _WIN32
    fs::path batch = WriteBatch(folders, place, BatchForCmd(executable, settings.skipIntro));
    RunningProgram program = StartBatchFile(batch, executable.parent_path());
#else
    GameStart start = DecideGameStart(executable);
    fs::path batch =
        WriteBatch(folders, place, RunBatchText(start.windowsExePath, settings.skipIntro));
    if (start.program == "wine" && !FindOnPath("wine")) {
        throw Error(
            "Wine is not installed, and on this system Tolvane starts the game through it.  "
            "Install Wine (on Debian or Ubuntu: sudo apt install wine), then launch again.");
    }
    if (start.starter == Starter::SteamPrefix && !session.toldOfNoProton) {
        session.toldOfNoProton = true;
        session.prompts.message(
            "Tolvane found no Proton for this Steam copy of the game, so it "
            "starts the game with " +
                start.description + ".",
            "Starting the Game", Icon::Information);
    }
    std::vector<std::string> arguments = start.arguments;
    arguments.push_back(WineFormOf(batch));
    // What the starter prints is kept, so that a game that never starts can be told.
    MakeFolders(folders.userData);
    RunningProgram program = StartDetached(start.program, arguments, executable.parent_path(),
                                           start.environment, folders.userData / kStartLogName);
#endif
    return {batch, std::move(program)};
}

RunBatchPlace RunBatchPlaceForNewCycle(const ProgramFolders& folders) {
    fs::path inProgramFolder = folders.program / kBatchName;
    return IsSystemFolder(folders.program) || IsPresent(inProgramFolder) || IsLink(inProgramFolder)
               ? RunBatchPlace::DataFolder
               : RunBatchPlace::BesideProgram;
}

std::vector<fs::path> RunBatchPlaces(const ProgramFolders& folders, RunBatchPlace place) {
    std::vector<fs::path> places = {folders.userData / kBatchName,
                                    folders.userData / kStartLogName};
    if (place == RunBatchPlace::BesideProgram && !IsSystemFolder(folders.program))
        places.push_back(folders.program / kBatchName);
    return places;
}

bool DeleteRunBatch(const ProgramFolders& folders, RunBatchPlace place) {
    bool allGone = true;
    for (const fs::path& batch : RunBatchPlaces(folders, place))
        allGone = RemoveOwnFile(batch) && allGone;  // a starter: the next game writes it anew
    return allGone;
}

}  // namespace tolvane
