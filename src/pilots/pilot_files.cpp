#include "pilots/pilot_files.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/file_handles.h"
#include "platform/folder_listing.h"
#include "text/code_page.h"
#include "text/name_matching.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

constexpr const char* kPilotPattern = "*.plt";

}  // namespace

bool IsPilotFile(const std::filesystem::path& path) {
    return MatchesPattern(kPilotPattern, Utf8Of(path.filename()));
}

std::string PilotNameFromHeader(std::string_view header) {
    header = header.substr(0, std::min<std::size_t>(header.size(), kPilotNameBytes));
    return Utf8FromWindows1252(header.substr(0, header.find('\0')));
}

PilotList ReadPilotNames(const std::filesystem::path& gameFolder) {
    PilotList pilots;
    std::vector<fs::path> names;
    try {
        names = ListFiles(gameFolder, kPilotPattern);
    } catch (const Error& error) {
        pilots.unreadable.push_back(error.what());
    }
    for (const fs::path& name : names) {
        try {
            InputFile file(gameFolder / name);
            std::size_t length =
                static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), kPilotNameBytes));
            pilots.names.push_back(PilotNameFromHeader(file.readAt(0, length)));
        } catch (const Error& error) {
            pilots.unreadable.push_back(error.what());
        }
    }
    return pilots;
}

}  // namespace tolvane
