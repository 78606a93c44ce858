#include "pilots/pilot_files.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/folder_lookup.h"
#include "platform/text.h"

namespace tolvane {

std::string pilotNameFromHeader(std::string_view header) {
    header = header.substr(0, std::min<std::size_t>(header.size(), 12));
    return fromCodePage(header.substr(0, header.find('\0')));
}

PilotList readPilotNames(const std::filesystem::path& gameFolder) {
    PilotList pilots;
    for (const std::string& name : listFiles(gameFolder, "*.plt")) {
        try {
            InputFile file(gameFolder / name);
            std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), 12));
            pilots.names.push_back(pilotNameFromHeader(file.readAt(0, length)));
        } catch (const Error& error) {
            pilots.unreadable.push_back(error.what());
        }
    }
    return pilots;
}

}  // namespace tolvane
