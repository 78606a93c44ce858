#pragma once

#include <filesystem>
#include <string>
#include <variant>

#include "app/main_window_view.h"
#include "app/session.h"

namespace tolvane {

namespace fs = std::filesystem;

// Where a launch will put things, settled before anything is touched.
struct LaunchPlan {
    fs::path package;
    fs::path gameFolder;
    fs::path backupFolder;
    fs::path journal;
};

// Why a launch cannot start; nothing has changed.
struct LaunchRefusal {
    std::string text;
    std::string title;
};

// What a restore needs of a launch: its package and its journal.
struct LaunchRecord {
    fs::path package;
    fs::path journal;
};

// Reloads the settings and checks what the install relies on: the game's executable is in the
// game folder, and no earlier launch still has files in the backup folder or an open journal.
std::variant<LaunchPlan, LaunchRefusal> planLaunch(Session& session, const fs::path& package);

// Installs the ship set: records it in "Last ShipSet", backs up every game file a member
// replaces, writes every member, asks before replacing a pilot file, backs up and patches the
// executable, and shows the pilot loader. Every change is announced in the journal first. A
// failure is told to the player and leaves the launch button as "Click here when done playing",
// so the cycle can be closed.
LaunchRecord LaunchShipSet(Session& session, MainWindowView& window, const LaunchPlan& plan);

inline constexpr const char* kExecutablePattern = "XWingALLiAncE.exe";

}  // namespace tolvane
