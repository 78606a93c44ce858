#pragma once

#include "launch/install.h"
#include "session/progress.h"
#include "session/session.h"
#include "text/fs_alias.h"

namespace tolvane {

enum class RestoreOutcome {
    Restored,        // the game folder is as it was and the cycle is closed
    RestoredInPart,  // the player was told which files stay out; the cycle stays open
};

// "Click here when done playing": puts the game folder back as it was before the launch, asking
// about each pilot file, then closes the cycle. When a file cannot be put back the player is
// told which, and its backup stays for another try.
RestoreOutcome RestoreAfterPlay(Session& session, Progress& progress,
                                const LaunchedShipSet& record);

// "Click here to restore files": the same for a cycle that an earlier run left open, from the
// launch journal when there is one, otherwise from the package and the backup folder. A journal
// with a line that reaches outside the game and backup folders moves nothing.
RestoreOutcome RestoreLastShipSet(Session& session, Progress& progress, const fs::path& package);

}  // namespace tolvane
