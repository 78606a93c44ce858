#include "support/stand_in_game.h"

namespace tolvane::testing {

StandInGame::StandInGame(const std::string& executableName)
    : session(store, prompts, root_.path() / "Program", root_.path() / "UserData"),
      executableName_(executableName) {
    for (int i = 0; i < 64; ++i)
        executableBytes_ += static_cast<char>(i * 7 % 251);
    WriteFileBytes(executable(), executableBytes_);
    WriteFileBytes(game() / "config.cfg", "lastpilot Ace\r\nwindowed 1\r\n");
    WriteFileBytes(game() / "Ace.plt", std::string("Ace\0\0\0\0\0\0\0\0\0body-of-ace", 23));
    WriteFileBytes(game() / "Nova.plt", std::string("Nova\0\0\0\0\0\0\0\0body-of-nova", 24));
    WriteFileBytes(game() / "DATA.LFD", "original data");
    WriteFileBytes(game() / "wave" / "GAME.WAV", "game sound");
    std::filesystem::create_directories(shipSets());
    std::filesystem::create_directories(program());

    store.save("Version", "Ordell Version", "2.5");
    store.save("Settings", "XWA Exe", executable().string());
    store.save("Settings", "ShipSet Dir", shipSets().string() + "/");
    store.save("Settings", "Show Opening Cutscene", "0");
    store.save("Settings", "Last ShipSet", "None");
    session.loadSettings();
}

std::map<std::string, std::string> Snapshot(const std::filesystem::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::string name = entry.path().lexically_relative(root).generic_string();
        if (entry.is_directory())
            tree[name + "/"] = "";
        else
            tree[name] = ReadFileBytes(entry.path());
    }
    return tree;
}

}  // namespace tolvane::testing
