#include "game_start/game_start.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "platform/error.h"
#include "platform/file_handles.h"
#include "platform/folder_listing.h"
#include "platform/path_checks.h"
#include "text/name_matching.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

// A Steam library names each copy's manifest "appmanifest_<id>.acf".
constexpr std::string_view kManifestStart = "appmanifest_";
constexpr std::string_view kManifestEnd = ".acf";

// A Steam file of a few lines; one that cannot be read says nothing.
std::string ReadSmallText(const fs::path& path) {
    try {
        return InputFile(path).readFirst(1 << 20);
    } catch (const Error&) {
        return {};  // a Steam file that cannot be read names no copy and no Proton
    }
}

// A path as the player writes it: the home folder as "~".
std::string Shown(const fs::path& path, const fs::path& home) {
    fs::path relative = path.lexically_relative(home);
    if (!home.empty() && !relative.empty() && *relative.begin() != "..")
        return "~/" + Utf8Of(relative);
    return Utf8Of(path);
}

// The Wine prefix around the executable: the nearest folder named drive_c whose parent holds
// system.reg. Returns the prefix and the executable's path below drive_c.
std::optional<std::pair<fs::path, fs::path>> WinePrefixOf(const fs::path& executable) {
    for (fs::path folder = executable.parent_path(); folder.has_relative_path();
         folder = folder.parent_path()) {
        if (folder.filename() == "drive_c" && IsAccessibleFile(folder.parent_path() / "system.reg"))
            return std::pair{folder.parent_path(), executable.lexically_relative(folder)};
    }
    return std::nullopt;
}

// The value of `key` in a Steam .acf or .vdf text: "key"<blanks>"value".
std::optional<std::string> VdfValue(const std::string& text, const std::string& key) {
    std::string quoted = "\"" + key + "\"";
    for (std::size_t at = 0; (at = text.find(quoted, at)) != std::string::npos; ++at) {
        std::size_t open = text.find('"', at + quoted.size());
        std::size_t blank = text.find_first_not_of(" \t", at + quoted.size());
        if (open == std::string::npos || blank != open)
            continue;
        std::size_t close = text.find('"', open + 1);
        if (close != std::string::npos)
            return text.substr(open + 1, close - open - 1);
    }
    return std::nullopt;
}

struct SteamCopy {
    fs::path steamapps;
    std::string appId;
};

// A Steam copy: the executable lies in steamapps/common/<folder>, and an app manifest of that
// library names <folder> as its installdir.
std::optional<SteamCopy> SteamCopyOf(const fs::path& executable) {
    for (fs::path folder = executable.parent_path(); folder.has_relative_path();
         folder = folder.parent_path()) {
        fs::path common = folder.parent_path();
        if (common.filename() != "common" || common.parent_path().filename() != "steamapps")
            continue;
        fs::path steamapps = common.parent_path();
        std::vector<fs::path> manifests;
        try {
            manifests =
                ListFiles(steamapps, std::string(kManifestStart) + "*" + std::string(kManifestEnd));
        } catch (const Error&) {
            // A library that cannot be listed is no Steam copy Tolvane can start.
        }
        for (const fs::path& manifest : manifests) {
            std::string name = Utf8Of(manifest);
            std::optional<std::string> installdir =
                VdfValue(ReadSmallText(steamapps / manifest), "installdir");
            if (installdir && UpperAscii(*installdir) == UpperAscii(Utf8Of(folder.filename())))
                return SteamCopy{steamapps, name.substr(kManifestStart.size(),
                                                        name.size() - kManifestStart.size() -
                                                            kManifestEnd.size())};
        }
    }
    return std::nullopt;
}

// Steam's own folder, for STEAM_COMPAT_CLIENT_INSTALL_PATH and its compatibility tools.
fs::path SteamRoot(const fs::path& home, const fs::path& library) {
    for (const char* place : {".steam/root", ".steam/steam", ".local/share/Steam"}) {
        if (IsAccessibleFolder(home / place))
            return LinkTarget(home / place);
    }
    return library;
}

// The numbers in a tool's name, to tell the newest ("Proton 9.0" after "Proton 8.0-5").
std::vector<int> VersionOf(const std::string& name) {
    std::vector<int> numbers;
    for (std::size_t i = 0; i < name.size();) {
        if (name[i] < '0' || name[i] > '9') {
            ++i;
            continue;
        }
        int number = 0;
        for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
            number = number * 10 + (name[i] - '0');
        numbers.push_back(number);
    }
    return numbers;
}

// The Proton the prefix last ran with, as its config_info names Proton's files; else the newest
// Proton of the library or of Steam's compatibility tools.
std::optional<fs::path> ProtonFor(const fs::path& compatData, const fs::path& steamapps,
                                  const fs::path& steamRoot) {
    std::istringstream info(ReadSmallText(compatData / "config_info"));
    for (std::string line; std::getline(info, line);) {
        for (const char* marker : {"/files/", "/dist/"}) {
            std::size_t at = line.find(marker);
            if (at != std::string::npos &&
                IsAccessibleFile(fs::path(line.substr(0, at)) / "proton"))
                return fs::path(line.substr(0, at));
        }
    }
    std::vector<fs::path> tools;
    for (const fs::path& folder : {steamapps / "common", steamRoot / "compatibilitytools.d"}) {
        std::vector<fs::path> found;
        try {
            found = ListFolders(folder);
        } catch (const Error&) {
            // A folder of Steam's that cannot be read offers no Proton; Wine starts the game.
        }
        for (const fs::path& tool : found) {
            if (Utf8Of(tool.filename()).find("Proton") != std::string::npos &&
                IsAccessibleFile(tool / "proton"))
                tools.push_back(tool);
        }
    }
    if (tools.empty())
        return std::nullopt;
    return *std::max_element(tools.begin(), tools.end(), [](const fs::path& a, const fs::path& b) {
        auto versionA = VersionOf(Utf8Of(a.filename())), versionB = VersionOf(Utf8Of(b.filename()));
        return versionA != versionB ? versionA < versionB : a.filename() < b.filename();
    });
}

}  // namespace

std::string WineFormOf(const fs::path& hostPath) {
    std::error_code noCurrentFolder;  // a relative path then stays as it is
    fs::path absolute = fs::absolute(hostPath, noCurrentFolder);
    return "Z:" +
           WithBackslashes((noCurrentFolder ? hostPath : absolute).lexically_normal().string());
}

GameStart DecideGameStart(const fs::path& executable, const std::string& runner,
                          const fs::path& home) {
    GameStart start;
    start.arguments = {"cmd", "/c"};
    start.windowsExePath = WineFormOf(executable);
    if (!runner.empty()) {
        start.starter = Starter::Runner;
        start.program = runner;
        start.description = runner + " (TOLVANE_BATCH_RUNNER)";
        return start;
    }
    start.program = "wine";
    if (auto prefix = WinePrefixOf(executable)) {
        start.starter = Starter::WinePrefix;
        start.environment = {{"WINEPREFIX", Utf8Of(prefix->first)}};
        start.windowsExePath = "C:\\" + WithBackslashes(Utf8Of(prefix->second));
        start.description = "Wine, prefix " + Shown(prefix->first, home);
        return start;
    }
    if (auto steam = SteamCopyOf(executable)) {
        fs::path compatData = steam->steamapps / "compatdata" / steam->appId;
        fs::path steamRoot = SteamRoot(home, steam->steamapps.parent_path());
        if (auto proton = ProtonFor(compatData, steam->steamapps, steamRoot)) {
            start.starter = Starter::Proton;
            start.program = *proton / "proton";
            start.arguments = {"run", "cmd", "/c"};
            start.environment = {{"STEAM_COMPAT_DATA_PATH", Utf8Of(compatData)},
                                 {"STEAM_COMPAT_CLIENT_INSTALL_PATH", Utf8Of(steamRoot)}};
            start.description = Utf8Of(proton->filename()) + " (Steam)";
            return start;
        }
        start.starter = Starter::SteamPrefix;
        start.environment = {{"WINEPREFIX", Utf8Of(compatData / "pfx")}};
        start.description =
            "Wine, prefix " + Shown(compatData / "pfx", home) + " (no Proton found)";
        return start;
    }
    start.description = "Wine, default prefix";
    return start;
}

GameStart DecideGameStart(const fs::path& executable) {
    const char* runner = std::getenv("TOLVANE_BATCH_RUNNER");
    const char* home = std::getenv("HOME");
    return DecideGameStart(executable, runner ? runner : "", home ? fs::path(home) : fs::path());
}

std::vector<std::string> GameImagePaths(const fs::path& executable) {
#ifdef _WIN32
    return {Utf8Of(executable)};
#else
    return {Utf8Of(executable), DecideGameStart(executable).windowsExePath, WineFormOf(executable)};
#endif
}

}  // namespace tolvane
