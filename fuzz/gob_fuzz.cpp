// The GOB reader, the validator, the checks and the name model on any bytes.
#include "fuzz_input.h"
#include "packages/gob_package.h"
#include "packages/package_checks.h"
#include "packages/patch_info.h"
#include "platform/error.h"
#include "text/name_key.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fs::path path = fuzz::WriteInput(data, size);
    try {
        std::optional<std::string> text = ReadPatchInfo(path);
        if (text && text->size() > kPatchInfoCap)
            __builtin_trap();
    } catch (const Error&) {
        // What cannot be read is said so; only a crash or an overlong text is a finding.
    }
    OpenPackageForLaunch(path);
    try {
        GobPackage package(path);
        for (const GobMember& member : package.members()) {
            if (NameFault(member.name))
                continue;
            std::string name = InstalledName(member);
            // A name that passes the validator always makes a path with its own key.
            if (NameComponents(name).empty() || MemberKey(name).empty())
                __builtin_trap();
            for (const fs::path& component : NameComponents(name)) {
                if (IsDeviceName(component.string()))
                    __builtin_trap();
            }
        }
    } catch (const Error&) {
        // Bytes that are no package: the reader said so, which is all it must do.
    }
    return 0;
}
