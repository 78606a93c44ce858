#include "packages/package_checks.h"

#include "platform/error.h"
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

namespace {

constexpr const char* kInvalidTitle = "Invalid .Gob";
constexpr const char* kContactAuthor = "Contact the author or redownload the file again.";

LaunchRefusal NotAGob() {
    return {std::string("The ShipSet you are trying to launch is not a valid .Gob file.  ") +
                kContactAuthor,
            kInvalidTitle};
}

LaunchRefusal Damaged(const std::string& fault) {
    return {"The ShipSet you are trying to launch is damaged: " + fault + ".  " + kContactAuthor,
            kInvalidTitle};
}

}  // namespace

LaunchRefusal CarriesExecutableRefusal() {
    return {
        "This ShipSet contains a modified XWINGALLIANCE.exe!  This is against LucasArts "
        "wishes, so this ShipSet will not be playable by means of Tolvane.\r\rContact the "
        "author and inform him/her of this error.",
        "Sorry...", Icon::Critical};
}

bool CarriesGameExecutable(const GobPackage& package) {
    for (const GobMember& member : package.members()) {
        if (MemberKey(member.name) == kGameExecutableKey)
            return true;
    }
    return false;
}

std::variant<GobPackage, LaunchRefusal> OpenPackageForLaunch(const fs::path& path) {
    std::optional<InputFile> file;
    try {
        file.emplace(path);
        if (file->size() < 3 || file->readAt(0, 3) != "GOB")
            return NotAGob();
    } catch (const Error&) {
        return NotAGob();  // a file that cannot be read is no package either
    }
    std::optional<GobPackage> package;
    try {
        package.emplace(std::move(*file));
    } catch (const Error& error) {
        return Damaged(error.what());
    }
    if (CarriesGameExecutable(*package))
        return CarriesExecutableRefusal();
    if (std::optional<std::string> fault = PackageFault(*package))
        return Damaged(*fault);
    return std::move(*package);
}

}  // namespace tolvane
