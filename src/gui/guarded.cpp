#include "gui/guarded.h"

#include <exception>
#include <string>

#include "session/settings.h"

namespace tolvane {

void RunGuarded(Prompts& prompts, const std::function<void()>& handler,
                const std::function<void()>& afterwards) {
    std::string problem;
    try {
        handler();
        return;
    } catch (const std::exception& error) {
        problem = error.what();
    } catch (...) {
        problem = "an error of unknown kind";
    }
    try {
        prompts.message(std::string(kProgramTitle) + " ran into an unexpected problem: " + problem,
                        kProgramTitle, Icon::Critical);
        if (afterwards)
            afterwards();
    } catch (...) {
        // Nothing is left to tell the player with; the program goes on as it is.
    }
}

}  // namespace tolvane
