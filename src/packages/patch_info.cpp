#include "packages/patch_info.h"

#include <vector>

#include "packages/gob_package.h"
#include "platform/error.h"
#include "text/code_page.h"
#include "text/name_matching.h"
#include "text/text_items.h"

namespace tolvane {
namespace {

// patchinfo.txt's five lines, each a label of its own length and a value: the ship set's name,
// the author, the e-mail address, the web site and the description.
constexpr std::size_t kInfoLines = 5;
constexpr std::size_t kLabelLengths[kInfoLines] = {5, 7, 6, 8, 6};

// Drops a label of `length` characters and then one space, if there is one.
std::string ValueAfterLabel(std::string_view line, std::size_t length) {
    if (line.size() < length)
        return {};
    line.remove_prefix(length);
    if (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    return std::string(line);
}

// Lines end at a carriage return, with or without a line feed after it.
std::vector<std::string_view> CrLines(std::string_view text, std::size_t wanted) {
    std::vector<std::string_view> lines;
    while (lines.size() < wanted && !text.empty()) {
        std::size_t end = text.find('\r');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
        if (!text.empty() && text.front() == '\n')
            text.remove_prefix(1);
    }
    return lines;
}

}  // namespace

std::optional<std::string> ReadPatchInfo(const std::filesystem::path& path) {
    GobPackage package(path);
    const GobMember* found = nullptr;
    for (const GobMember& member : package.members()) {
        if (UpperAscii(member.name) == "PATCHINFO.TXT")
            found = &member;
    }
    if (found == nullptr)
        return std::nullopt;
    return package.readMember(*found, kPatchInfoCap);
}

std::string ShipSetListName(const std::optional<std::string>& patchInfo) {
    std::optional<std::string> item = patchInfo ? FirstTextItem(*patchInfo) : std::nullopt;
    if (!item)
        return kNoPatchInfo;
    if (*item == kNoPatchInfo)
        return Utf8FromWindows1252(*item);
    // An item shorter than its label keeps its characters but still loses one leading space.
    std::size_t label = kLabelLengths[0];
    return Utf8FromWindows1252(ValueAfterLabel(*item, item->size() < label ? 0 : label));
}

ShipSetInfo ParseShipSetInfo(std::string_view patchInfo) {
    std::vector<std::string_view> lines = CrLines(patchInfo, kInfoLines);
    lines.resize(kInfoLines);
    auto field = [&](std::size_t line) {
        return Utf8FromWindows1252(ValueAfterLabel(lines[line], kLabelLengths[line]));
    };
    return {field(0), field(1), field(2), field(3), field(4)};
}

}  // namespace tolvane
