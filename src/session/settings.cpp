#include "session/settings.h"

#include <charconv>
#include <cmath>
#include <filesystem>

#include "platform/error.h"
#include "platform/file_system.h"
#include "text/path_text.h"

namespace tolvane {

std::string CurrentVersion() {
    return std::to_string(kMajorVersion) + "." + std::to_string(kMinorVersion);
}

std::string LeadingNumberText(std::string_view text) {
    std::string number;
    bool digits = false, point = false, exponent = false;
    for (char c : text) {
        if (c == ' ' || c == '\t')
            continue;
        bool sign = c == '+' || c == '-';
        bool startOfPart = number.empty() || number.back() == 'e';
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (sign && startOfPart) {
        } else if (c == '.' && !point && !exponent) {
            point = true;
        } else if ((c == 'e' || c == 'E') && digits && !exponent) {
            exponent = true;
            c = 'e';
        } else {
            break;
        }
        number += c;
    }
    double value = 0;
    if (digits) {
        while (!number.empty() &&
               (number.back() == 'e' || number.back() == '+' || number.back() == '-')) {
            number.pop_back();
        }
        if (!number.empty() && number.front() == '+')
            number.erase(0, 1);
        std::from_chars(number.data(), number.data() + number.size(), value);
    }
    if (value == 0 || !std::isfinite(value))
        return "0";
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : "0";
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

void LoadSettings(SettingsStore& store, Prompts& prompts, Settings& settings) {
    settings.storedVersion = store.get(kVersionSection, kVersionKey);
    if (settings.storedVersion.empty()) {
        prompts.message(
            "Either this is the first time you have run Tolvane, or something has happened to "
            "the registry settings.  Either way, you'll have to setup the options.",
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
