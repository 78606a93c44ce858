#include "packages/package_validator.h"

#include "text/code_page.h"
#include "text/name_key.h"

namespace tolvane {
namespace {

bool ForbiddenInWindowsNames(char c) {
    return static_cast<unsigned char>(c) < 32 ||
           std::string_view("<>:\"/|?*").find(c) != std::string_view::npos;
}

}  // namespace

std::optional<std::string> NameFault(const std::string& name) {
    if (name.find_first_not_of(' ') == std::string::npos)
        return "has no name";
    if (name.size() >= 2 && name[1] == ':')
        return "names a drive";
    if (name.front() == '\\')
        return "is not a path inside the game folder";
    std::size_t start = 0;
    for (;;) {
        std::size_t end = name.find('\\', start);
        std::string_view part = std::string_view(name).substr(start, end - start);
        if (part.empty())
            return "has an empty folder name";
        if (part == "." || part == "..")
            return "points outside its own folder";
        for (char c : part) {
            if (ForbiddenInWindowsNames(c))
                return "has a character that Windows does not allow "
                       "in file names";
        }
        std::string_view created = WindowsComponent(part);
        if (created.empty())
            return "has a name that Windows cannot create";
        // In the game's code page: byte B9 is the "¹" that Windows takes for a port number too.
        std::string shown = Utf8FromWindows1252(created);
        if (IsDeviceName(shown))
            return "names the Windows device " + shown.substr(0, shown.find('.'));
        if (end == std::string::npos)
            return std::nullopt;
        start = end + 1;
    }
}

std::optional<std::string> PackageFault(const GobPackage& package) {
    for (const GobMember& member : package.members()) {
        if (std::uint64_t(member.offset) + member.size > package.file().size())
            return MemberLabel(member) + " lies outside the file";
        // A member without a name is skipped by the install.
        bool nameless = member.name.find_first_not_of(' ') == std::string::npos;
        if (auto fault = NameFault(member.name); fault && !nameless)
            return MemberLabel(member) + " " + *fault;
    }
    return std::nullopt;
}

}  // namespace tolvane
