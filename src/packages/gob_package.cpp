#include "packages/gob_package.h"

#include <cstring>

#include "platform/error.h"
#include "platform/little_endian.h"
#include "platform/text.h"

namespace tolvane {

GobPackage::GobPackage(const fs::path& path) : file_(path) {
    auto count = static_cast<std::int32_t>(LittleEndian(file_.readAt(12, 4)));
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
        const char* name = entry + 8;
        members_.push_back({i + 1, LittleEndian({entry, 4}), LittleEndian({entry + 4, 4}),
                            std::string(name, strnlen(name, kGobNameSize))});
    }
}

std::string GobPackage::readMember(const GobMember& member) const {
    return file_.readAt(member.offset, member.size);
}

std::optional<GobPackage> TryOpenPackage(const fs::path& path) {
    try {
        return GobPackage(path);
    } catch (const Error&) {
        return std::nullopt;
    }
}

std::string MemberLabel(const GobMember& member) {
    return "member " + std::to_string(member.number) + " (" + DisplayName(InstalledName(member)) +
           ")";
}

std::string InstalledName(const GobMember& member) {
    std::string name = member.name;
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

std::string DisplayName(const std::string& name) {
    return FromCodePage(name);
}

std::vector<std::string> NameComponents(const std::string& name) {
    std::vector<std::string> components;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = name.find('\\', start);
        components.push_back(DisplayName(name.substr(start, end - start)));
        if (end == std::string::npos)
            return components;
        start = end + 1;
    }
}

}  // namespace tolvane
