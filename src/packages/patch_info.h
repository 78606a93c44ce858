#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// The list item of a package that carries no information text.
inline constexpr const char* kNoPatchInfo = "Patchinfo.txt not found";
inline constexpr std::uint32_t kPatchInfoCap = 64 * 1024;

// The bytes of the package's information member PATCHINFO.TXT (any letter case, at the top of
// the package; the last one when there are several), the first 64 KiB at most: a text of five
// lines never needs more, and a damaged size must not take the program's memory. Nothing when
// the package has none; an Error naming the package when it cannot be read. The text is read
// straight from the package: no file is written for it.
std::optional<std::string> ReadPatchInfo(const std::filesystem::path& package);

// The name the list shows: the first text item without its 5-character label and one space,
// decoded from the game's code page.
std::string ShipSetListName(const std::optional<std::string>& patchInfo);

// The five labelled lines of the information text, each without its label and one space,
// decoded from the game's code page.
struct ShipSetInfo {
    std::string name;
    std::string author;
    std::string email;
    std::string website;
    std::string description;
};
ShipSetInfo ParseShipSetInfo(std::string_view patchInfo);

}  // namespace tolvane
