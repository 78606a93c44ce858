#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tolvane {

// The pilots of the game folder: one name per *.plt file, in the order of the file names, read
// from the file's first 12 bytes up to the first NUL. Files that cannot be read are named in
// `unreadable` with the reason.
struct PilotList {
    std::vector<std::string> names;
    std::vector<std::string> unreadable;
};
PilotList ReadPilotNames(const std::filesystem::path& gameFolder);

// True for the game's pilot files: names ending in ".plt", in any letter case.
bool IsPilotFile(const std::filesystem::path& path);

// A pilot file begins with the pilot's name: 12 bytes, ended by a NUL when shorter.
inline constexpr std::size_t kPilotNameBytes = 12;

// The pilot's name held in the first bytes of a pilot file.
std::string PilotNameFromHeader(std::string_view header);

}  // namespace tolvane
