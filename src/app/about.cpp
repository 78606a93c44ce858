#include "app/about.h"

#include <filesystem>
#include <optional>

#include "platform/error.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "session/settings.h"

namespace tolvane {
namespace {

std::optional<std::string> SystemInformationProgram() {
    std::string found;
    if (GetKeyValue(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", found))
        return found;
    if (GetKeyValue(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", found)) {
        std::string program = found + "\\MSINFO32.EXE";
        std::error_code ec;
        return std::filesystem::exists(program, ec) ? std::optional(program) : std::nullopt;
    }
#ifndef _WIN32
    for (const char* candidate : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor"}) {
        if (auto path = FindOnPath(candidate))
            return path->string();
    }
#endif
    return std::nullopt;
}

}  // namespace

std::string VersionLabel() {
    return "Version " + CurrentVersion();
}

void StartSysInfo(Prompts& prompts) {
    try {
        if (std::optional<std::string> program = SystemInformationProgram()) {
            StartDetached(*program, {});
            return;
        }
    } catch (const Error&) {
        // An unstartable tool is reported just like a missing one, below.
    }
    prompts.message("System Information Is Unavailable At This Time", kProgramTitle, Icon::None);
}

}  // namespace tolvane
