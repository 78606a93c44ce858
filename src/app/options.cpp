#include "app/options.h"

#include <filesystem>

#include "platform/error.h"
#include "platform/file_handles.h"
#include "platform/path_checks.h"
#include "text/name_key.h"
#include "text/path_text.h"

namespace tolvane {

namespace {

// What makes a file other than the game's executable: not a file, not named XWINGALLIANCE.EXE,
// or not a Windows program (which starts with "MZ").
std::optional<std::string> WhyNotTheGame(const fs::path& executable) {
    if (!IsAccessibleFile(executable))
        return "is not a file";
    if (NameKey(Utf8Of(executable.filename())) != kGameExecutableKey)
        return "is not named XWINGALLIANCE.EXE";
    try {
        if (InputFile(executable).readFirst(2) != "MZ")
            return "is not a Windows program";
    } catch (const Error& error) {
        return std::string("cannot be read: ") + error.what();
    }
    return std::nullopt;
}

}  // namespace

OptionsFields LoadOptionsFields(const Settings& settings) {
    return {settings.gameExePath, settings.shipSetDir, settings.skipIntro};
}

bool AcceptOptions(Session& session, OptionsFields fields) {
    session.store.save(kVersionSection, kVersionKey, CurrentVersion());
    if (fields.gameExePath.empty()) {
        session.prompts.message("You need to set your XWINGALLIANCE.exe", "Hey!",
                                Icon::Exclamation);
        return false;
    }
    if (fields.shipSetDir.empty()) {
        session.prompts.message("You need to set your ShipSet Directory.", "Hey!",
                                Icon::Exclamation);
        return false;
    }
    fields.shipSetDir = WithTrailingSeparator(fields.shipSetDir);
    auto keepAnyway = [&](const std::string& what) {
        return session.prompts.question(what + "  Keep it anyway?", "Options", Icon::Exclamation,
                                        Answer::No) == Answer::Yes;
    };
    fs::path executable = PathFromUtf8(fields.gameExePath);
    if (std::optional<std::string> why = WhyNotTheGame(executable);
        why && !keepAnyway("The game's executable " + DisplayPath(executable) + " " + *why + "."))
        return false;
    fs::path shipSets = PathFromUtf8(fields.shipSetDir);
    if (!IsAccessibleFolder(shipSets) &&
        !keepAnyway("The ShipSet directory " + DisplayPath(shipSets) + " is not a folder."))
        return false;
    if (session.settings.optionsNeeded)
        session.saveSetting(kLastShipSetKey, kNoShipSet);
    session.saveSetting(kGameExeKey, fields.gameExePath);
    session.saveSetting(kShipSetDirKey, fields.shipSetDir);
    session.saveSetting(kCutsceneKey, fields.skipIntro ? "1" : "0");
    session.settings.optionsNeeded = false;
    session.loadSettings();
    EnterShipSetFolder(session.settings);
    return true;
}

bool MayCancelOptions(const Settings& settings, Prompts& prompts) {
    if (!settings.optionsNeeded)
        return true;
    prompts.message("You need to set the options.", "Important!", Icon::Exclamation);
    return false;
}

}  // namespace tolvane
