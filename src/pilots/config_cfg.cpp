#include "pilots/config_cfg.h"

#include "platform/case_blind_index.h"
#include "platform/file_handles.h"
#include "platform/path_checks.h"
#include "platform/whole_file_steps.h"
#include "text/text_items.h"

namespace tolvane {

// "lastpilot " with its space: what stands before the pilot's name.
constexpr std::size_t kPilotLabelLength = 10;

std::string PilotInConfig(std::string_view config) {
    std::string item = FirstTextItem(FirstLineOf(config)).value_or("");
    return item.size() > kPilotLabelLength ? item.substr(kPilotLabelLength) : std::string();
}

std::string_view FirstLineOf(std::string_view config) {
    return config.substr(0, config.find_first_of("\r\n"));
}

std::string_view FirstLineWithEndOf(std::string_view config) {
    std::size_t end = config.find_first_of("\r\n");
    if (end == std::string_view::npos)
        return config;
    bool crlf = config.substr(end, 2) == "\r\n";
    return config.substr(0, end + (crlf ? 2 : 1));
}

std::string WithFirstLineAndEnd(std::string_view config, std::string_view lineWithEnd) {
    return std::string(lineWithEnd) + std::string(config.substr(FirstLineWithEndOf(config).size()));
}

std::string WithFirstLine(std::string_view config, std::string_view line) {
    std::size_t end = config.find_first_of("\r\n");
    std::string_view rest = end == std::string_view::npos ? "\r\n" : config.substr(end);
    return std::string(line) + std::string(rest);
}

std::string WithPilot(std::string_view config, const std::string& name) {
    return WithFirstLine(config, "lastpilot " + name);
}

std::filesystem::path ConfigPath(const std::filesystem::path& gameFolder) {
    FolderIndex files(gameFolder);
    const FolderEntry* found = files.find("config.cfg");
    return gameFolder / (found ? found->name : fs::path("config.cfg"));
}

std::optional<std::string> ReadConfigFirstLine(const std::filesystem::path& gameFolder) {
    std::filesystem::path config = ConfigPath(gameFolder);
    if (!IsPresent(config))
        return std::nullopt;
    return std::string(FirstLineWithEndOf(InputFile(config).readAll()));
}

void WriteConfig(const std::filesystem::path& config, std::string_view text) {
    WriteFileAtomically(LinkTarget(config), text);
}

}  // namespace tolvane
