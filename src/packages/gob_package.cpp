#include "packages/gob_package.h"

#include <cstring>

#include "platform/error.h"
#include "text/code_page.h"
#include "text/little_endian.h"
#include "text/name_key.h"
#include "text/path_text.h"

namespace tolvane {

GobPackage::GobPackage(InputFile file) : file_(std::move(file)) {
    auto count = static_cast<std::int32_t>(LittleEndian(file_.readAt(kGobCountOffset, 4)));
    if (count <= 0)
        return;
    std::uint64_t directorySize = std::uint64_t(count) * kGobEntrySize;
    if (kGobHeaderSize + directorySize > file_.size()) {
        throw Error("its directory of " + std::to_string(count) +
                    " members does not fit in the file");
    }
    std::string directory = file_.readAt(kGobHeaderSize, static_cast<std::size_t>(directorySize));
    members_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const char* entry = directory.data() + std::size_t(i) * kGobEntrySize;
        const char* name = entry + kGobNameOffset;
        members_.push_back({i + 1, LittleEndian({entry, 4}), LittleEndian({entry + 4, 4}),
                            std::string(name, strnlen(name, kGobNameSize))});
    }
}

std::string GobPackage::readMember(const GobMember& member, std::uint32_t cap) const {
    if (std::uint64_t(member.offset) + member.size > file_.size())
        throw Error(MemberLabel(member) + " lies outside the file");
    return file_.readAt(member.offset, std::min(member.size, cap));
}

std::string MemberLabel(const GobMember& member) {
    std::string_view name = member.name;
    name = name.substr(0, name.find_last_not_of(' ') + 1);
    return "member " + std::to_string(member.number) + " (" + DisplayName(std::string(name)) + ")";
}

namespace {

// The parts of a member name between its "\" separators.
std::vector<std::string_view> SplitName(std::string_view name) {
    std::vector<std::string_view> parts;
    for (;;) {
        std::size_t end = name.find('\\');
        parts.push_back(name.substr(0, end));
        if (end == std::string_view::npos)
            return parts;
        name.remove_prefix(end + 1);
    }
}

}  // namespace

std::string InstalledName(const GobMember& member) {
    std::vector<std::string_view> parts = SplitName(member.name);
    std::string name(WindowsComponent(parts.front()));
    for (std::size_t i = 1; i < parts.size(); ++i) {
        name += '\\';
        name += WindowsComponent(parts[i]);
    }
    return name;
}

std::string DisplayName(const std::string& name) {
    return Utf8FromWindows1252(name);
}

std::string MemberKey(const std::string& name) {
    return NameKey(DisplayName(name));
}

std::vector<fs::path> NameComponents(const std::string& name) {
    std::vector<fs::path> components;
    for (std::string_view part : SplitName(name))
        components.push_back(PathFromUtf8(DisplayName(std::string(part))));
    return components;
}

}  // namespace tolvane
