#include "packages/package_checks.h"

#include "packages/gob_package.h"
#include "packages/package_validator.h"
#include "platform/error.h"

namespace tolvane {
namespace {

constexpr const char* kInvalidTitle = "Invalid .Gob";
constexpr const char* kContactAuthor = "Contact the author or redownload the file again.";

}  // namespace

bool HasGobSignature(const std::filesystem::path& package) {
    try {
        InputFile file(package);
        return file.size() >= 3 && file.readAt(0, 3) == "GOB";
    } catch (const Error&) {
        return false;
    }
}

bool CheckForModifiedExe(const std::filesystem::path& path) {
    std::optional<GobPackage> package = TryOpenPackage(path);
    // An unreadable package carries nothing; the validator refuses it with the reason.
    return package && CarriesGameExecutable(*package);
}

bool CarriesGameExecutable(const GobPackage& package) {
    for (const GobMember& member : package.members()) {
        if (MemberKey(member.name) == kGameExecutableKey)
            return true;
    }
    return false;
}

bool PassesLaunchChecks(Prompts& prompts, const std::filesystem::path& package) {
    if (!HasGobSignature(package)) {
        prompts.message(std::string("The ShipSet you are trying to launch is not a valid .Gob "
                                    "file.  ") +
                            kContactAuthor,
                        kInvalidTitle, Icon::Exclamation);
        return false;
    }
    if (CheckForModifiedExe(package)) {
        prompts.message(kModifiedExeText, kModifiedExeTitle, Icon::Critical);
        return false;
    }
    if (std::optional<std::string> fault = PackageFault(package)) {
        prompts.message(
            "The ShipSet you are trying to launch is damaged: " + *fault + ".  " + kContactAuthor,
            kInvalidTitle, Icon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace tolvane
