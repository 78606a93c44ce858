#include "app/about.h"

#include <optional>

#include "platform/error.h"
#include "platform/process.h"
#include "platform/system_information.h"
#include "session/settings.h"

namespace tolvane {

std::string VersionLabel() {
    return "Version " + CurrentVersion();
}

void StartSysInfo(Prompts& prompts) {
    try {
        if (std::optional<fs::path> program = SystemInformationProgram()) {
            StartDetached(*program, {});
            return;
        }
    } catch (const Error&) {
        // An unstartable tool is reported just like a missing one, below.
    }
    prompts.message("System Information Is Unavailable At This Time", kProgramTitle, Icon::None);
}

}  // namespace tolvane
