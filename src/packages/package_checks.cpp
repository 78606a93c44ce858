#include "packages/package_checks.h"

#include "packages/package_validator.h"
#include "platform/error.h"

namespace tolvane {
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
