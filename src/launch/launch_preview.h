#pragma once

#include <string>
#include <vector>

#include "session/program_folders.h"
#include "session/session.h"
#include "session/settings.h"
#include "text/fs_alias.h"

namespace tolvane {

// What one path of the game folder undergoes when the ship set is launched.
enum class ChangeMark { Replaced, Added, Patch, Pilot, Folder };

struct ChangedPath {
    std::string path;  // below the game folder, "\" between folders, the game's own spelling
    ChangeMark mark;
};

// What a launch of the ship set would change, shown before the player launches it.
struct LaunchPreview {
    // "Replaces 12 game files, adds 30 files, makes 4 new folders, ..."; or why the launch would be
    // refused, in the words the launch would use; or that no game folder is set yet.
    std::string summary;
    std::vector<ChangedPath> paths;  // sorted; empty where the launch would be refused
    bool refused = false;            // the launch would be refused, or cannot be planned yet
};

// Plans the launch from the settings in force, asking nothing and changing no file.
LaunchPreview PreviewLaunch(Session& session, const fs::path& package);

// "replaced", "added", "patch", "pilot".
const char* MarkName(ChangeMark mark);

}  // namespace tolvane
