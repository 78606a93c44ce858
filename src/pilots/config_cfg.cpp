#include "pilots/config_cfg.h"

#include "platform/folder_index.h"
#include "platform/text.h"

namespace tolvane {

std::string PilotInConfig(std::string_view config) {
    // The pilot's line only: a quote left open must not take the next lines into the name, which
    // would then be written back as lines of their own.
    std::string item = FirstTextItem(config.substr(0, config.find_first_of("\r\n"))).value_or("");
    return item.size() > 10 ? item.substr(10) : std::string();
}

std::string WithPilot(std::string_view config, const std::string& name) {
    std::size_t end = config.find_first_of("\r\n");
    std::string_view rest = end == std::string_view::npos ? "\r\n" : config.substr(end);
    return "lastpilot " + name + std::string(rest);
}

std::filesystem::path ConfigPath(const std::filesystem::path& gameFolder) {
    FolderIndex files(gameFolder);
    const FolderEntry* found = files.find("config.cfg");
    return gameFolder / (found ? found->name : fs::path("config.cfg"));
}

}  // namespace tolvane
