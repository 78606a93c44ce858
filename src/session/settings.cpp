#include "session/settings.h"

#include <filesystem>

#include "platform/error.h"
#include "platform/folder_steps.h"
#include "text/leading_number.h"
#include "text/path_text.h"

namespace tolvane {

std::string CurrentVersion() {
    return std::to_string(kMajorVersion) + "." + std::to_string(kMinorVersion);
}

fs::path GameFolderOf(const Settings& settings) {
    return PathFromUtf8(settings.gameExePath).parent_path();
}

fs::path ShipSetFolderOf(const Settings& settings) {
    return PathFromUtf8(settings.shipSetDir);
}

fs::path BackupFolderOf(const Settings& settings) {
    return ShipSetFolderOf(settings) / "Backup";
}

// Where the settings live, as the first start's message names them.
#ifdef _WIN32
constexpr const char* kSettingsKind = "registry settings";
#else
constexpr const char* kSettingsKind = "settings";
#endif

void LoadSettings(SettingsStore& store, Prompts& prompts, Settings& settings) {
    settings.storedVersion = store.get(kVersionSection, kVersionKey);
    if (settings.storedVersion.empty()) {
        prompts.message(
            "Either this is the first time you have run Tolvane, or something has "
            "happened to the " +
                std::string(kSettingsKind) + ".  Either way, you'll have to setup the options.",
            "Uh-oh", Icon::Exclamation);
        settings.optionsNeeded = true;
    } else if (settings.storedVersion != CurrentVersion()) {
        prompts.message(
            "You have downloaded a new version of Tolvane, good for you.  You need to set up the "
            "options again.",
            "New Version Detected", Icon::Information);
        settings.optionsNeeded = true;
    }
    settings.gameExePath = store.get(kSettingsSection, kGameExeKey);
    settings.shipSetDir = store.get(kSettingsSection, kShipSetDirKey);
    settings.skipIntro = LeadingNumberText(store.get(kSettingsSection, kCutsceneKey)) == "1";
}

namespace {

// A package's entry in "Played ShipSets": its file name and the "|" that ends it.
std::string PlayedEntry(const fs::path& package) {
    std::string entry = Utf8Of(package.filename());
    entry += '|';
    return entry;
}

}  // namespace

bool PlayedHere(const SettingsStore& store, const fs::path& package) {
    std::string played = store.get(kSettingsSection, kPlayedShipSetsKey);
    std::string entry = PlayedEntry(package);
    for (std::size_t at = played.find(entry); at != std::string::npos;
         at = played.find(entry, at + 1)) {
        if (at == 0 || played[at - 1] == '|')
            return true;  // a whole entry, not the end of a longer name
    }
    return false;
}

void NotePlayedHere(SettingsStore& store, const fs::path& package) {
    if (!PlayedHere(store, package))
        store.save(kSettingsSection, kPlayedShipSetsKey,
                   store.get(kSettingsSection, kPlayedShipSetsKey) + PlayedEntry(package));
}

bool KeptByACycle(const SettingsStore& store, const std::string& checksum) {
    return store.get(kSettingsSection, kKeptPilotsKey).find(checksum + "|") != std::string::npos;
}

void NoteKeptByACycle(SettingsStore& store, const std::string& checksum) {
    constexpr std::size_t kMostRemembered = 256;
    if (KeptByACycle(store, checksum))
        return;
    std::string kept = store.get(kSettingsSection, kKeptPilotsKey) + checksum + "|";
    std::size_t entry = checksum.size() + 1;  // every checksum has the same length
    if (kept.size() > kMostRemembered * entry)
        kept.erase(0, kept.size() - kMostRemembered * entry);
    store.save(kSettingsSection, kKeptPilotsKey, kept);
}

void EnterShipSetFolder(const Settings& settings) {
    if (settings.shipSetDir.empty())
        return;
    try {
        EnterFolder(ShipSetFolderOf(settings));
    } catch (const Error&) {
        // A missing directory shows up where it is used, with its own message.
    }
}

}  // namespace tolvane
