#include "platform/system_information.h"

#include "platform/path_checks.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace tolvane {

// The registry values are read through the ANSI functions, so their text is in the ANSI code
// page, the one a path made from a narrow string assumes on Windows.
std::optional<fs::path> SystemInformationProgram() {
    if (auto path = GetKeyValue(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"))
        return fs::path(*path);
    if (auto folder =
            GetKeyValue(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO")) {
        fs::path program = fs::path(*folder) / "MSINFO32.EXE";
        return IsAccessibleFile(program) ? std::optional(program) : std::nullopt;
    }
#ifndef _WIN32
    for (const char* candidate : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor"}) {
        if (std::optional<fs::path> path = FindOnPath(candidate))
            return path;
    }
#endif
    return std::nullopt;
}

}  // namespace tolvane
