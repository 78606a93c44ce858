#pragma once

#include <string>

#include "session/session.h"

namespace tolvane {

// The three values the options dialog edits.
struct OptionsFields {
    std::string gameExePath;
    std::string shipSetDir;
    bool skipIntro = false;
};

// The dialog's load step: the fields as the settings hold them.
OptionsFields LoadOptionsFields(const Settings& settings);

// OK: stores the version, refuses empty paths with a message, then stores everything and reads
// the settings again. True when the dialog may close.
bool AcceptOptions(Session& session, OptionsFields fields);

// Cancel: refused with a message while the options must still be set up.
bool MayCancelOptions(const Settings& settings, Prompts& prompts);

}  // namespace tolvane
