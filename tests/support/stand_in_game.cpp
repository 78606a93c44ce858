#include "support/stand_in_game.h"

#include "text/checksum.h"
#include "text/path_text.h"

namespace tolvane::testing {

StandInGame::StandInGame(const std::string& executableName, const std::string& gameFolder,
                         const std::string& shipSetFolder)
    : session(store, prompts, root_.path() / "Program", root_.path() / "UserData"),
      game_(root_.path() / PathFromUtf8(gameFolder)),
      shipSets_(root_.path() / PathFromUtf8(shipSetFolder)),
      executableName_(executableName) {
    executableBytes_ = "MZ";  // a Windows program's start
    for (int i = 2; i < 64; ++i)
        executableBytes_ += static_cast<char>(i * 7 % 251);
    WriteFileBytes(executable(), executableBytes_);
    WriteFileBytes(game() / "config.cfg", "lastpilot Ace\r\nwindowed 1\r\n");
    WriteFileBytes(game() / "Ace.plt", std::string("Ace\0\0\0\0\0\0\0\0\0body-of-ace", 23));
    WriteFileBytes(game() / "Nova.plt", std::string("Nova\0\0\0\0\0\0\0\0body-of-nova", 24));
    WriteFileBytes(game() / "DATA.LFD", "original data");
    WriteFileBytes(game() / "wave" / "GAME.WAV", "game sound");
    std::filesystem::create_directories(shipSets());
    std::filesystem::create_directories(program());
    std::filesystem::create_directories(root_.path() / "UserData");  // it holds the lock file
    WriteFileBytes(outside() / "sentinel.txt", "not the game's");
    std::filesystem::create_directories(outside() / "empty");

    store.save("Version", "Ordell Version", "2.5");
    store.save("Settings", "XWA Exe", Utf8Of(executable()));
    store.save("Settings", "ShipSet Dir", Utf8Of(shipSets() / ""));
    store.save("Settings", "Show Opening Cutscene", "0");
    store.save("Settings", "Last ShipSet", "None");
    session.loadSettings();
}

void AppendJournalLine(const std::filesystem::path& journal, const std::string& line) {
    std::string text = ReadFileBytes(journal);
    std::size_t lastStart = text.rfind('\n', text.size() - 2) + 1;
    std::string last = text.substr(lastStart, text.size() - 1 - lastStart);
    std::string previous = last.substr(last.rfind('\t') + 1);
    WriteFileBytes(journal, text + line + "\t" + Checksum(line, previous) + "\n");
}

Tree Snapshot(const std::filesystem::path& root) {
    Tree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::u8string generic = entry.path().lexically_relative(root).generic_u8string();
        std::string name(generic.begin(), generic.end());
        if (entry.is_symlink())
            tree[name + "@"] = Utf8Of(std::filesystem::read_symlink(entry.path()));
        else if (entry.is_directory())
            tree[name + "/"] = "";
        else
            tree[name] = ReadFileBytes(entry.path());
    }
    return tree;
}

}  // namespace tolvane::testing
