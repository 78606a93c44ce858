#include "pilots/run_batch.h"

#include <cstdlib>

#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/file_moves.h"
#include "platform/file_system.h"
#include "platform/process.h"

namespace tolvane {
namespace {

constexpr const char* kBatchName = "RunXWA.bat";

std::filesystem::path WriteBatch(const Session& session, const std::string& text) {
    std::filesystem::path inProgramFolder = session.programFolder / kBatchName;
    try {
        WriteFileAtomically(inProgramFolder, text);
        return inProgramFolder;
    } catch (const Error&) {
        // An installed program's folder is read-only for players: use their own data folder.
    }
    MakeFolders(session.userDataFolder);
    std::filesystem::path inDataFolder = session.userDataFolder / kBatchName;
    WriteFileAtomically(inDataFolder, text);
    return inDataFolder;
}

}  // namespace

std::string RunBatchText(const std::string& windowsExePath, const std::string& showCutscene) {
    std::size_t separator = windowsExePath.find_last_of("\\/");
    std::string folder = separator == std::string::npos ? "" : windowsExePath.substr(0, separator);
    std::string file =
        separator == std::string::npos ? windowsExePath : windowsExePath.substr(separator + 1);
    bool skipIntro = LeadingNumberText(showCutscene) == "1";
    return "REM Do not delete this file!\r\n" + folder.substr(0, 3) + "\r\ncd \"" + folder +
           "\"\r\n" + file + (skipIntro ? " /skipintro" : "") + "\r\n";
}

std::string WineFormOf(const std::filesystem::path& hostPath) {
    std::string text = std::filesystem::absolute(hostPath).lexically_normal().string();
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }
    return "Z:" + text;
}

std::filesystem::path RunGame(Session& session) {
    session.loadSettings();
    const Settings& settings = session.settings;
#ifdef _WIN32
    std::string exePath = settings.gameExePath;
#else
    std::string exePath = WineFormOf(settings.gameExePath);
#endif
    std::filesystem::path batch = WriteBatch(session, RunBatchText(exePath, settings.showCutscene));
#ifdef _WIN32
    StartDetached("cmd.exe", {"/c", batch.string()});
#else
    const char* runner = std::getenv("TOLVANE_BATCH_RUNNER");
    StartDetached(runner != nullptr && *runner != '\0' ? runner : "wine",
                  {"cmd", "/c", WineFormOf(batch)});
#endif
    return batch;
}

void DeleteRunBatch(const Session& session) {
    for (const std::filesystem::path& folder : {session.programFolder, session.userDataFolder}) {
        RemoveOwnFile(folder / kBatchName);  // only a starter; the next game start writes it anew
    }
}

}  // namespace tolvane
