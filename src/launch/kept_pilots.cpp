#include "launch/kept_pilots.h"

#include <algorithm>

#include "platform/path_checks.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

// The longest name the host lets a file in `folder` have, in its own path units.
std::size_t LongestNameIn(const fs::path& folder) {
    constexpr std::size_t kLongestName = 255;  // ext4, btrfs, NTFS, FAT's long names
#ifdef _WIN32
    constexpr std::size_t kLongestPath = 259;  // MAX_PATH, less its terminating NUL
    std::size_t used = folder.native().size() + 1;
    return used >= kLongestPath ? 1 : std::min(kLongestName, kLongestPath - used);
#else
    (void)folder;
    return kLongestName;
#endif
}

std::size_t HostLength(const std::string& name) {
    return PathFromUtf8(name).native().size();
}

// Drops the last character of UTF-8 text, all its bytes.
void DropLastCharacter(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
        text.pop_back();
    if (!text.empty())
        text.pop_back();
}

}  // namespace

fs::path KeptPilotPath(const fs::path& folder, const fs::path& pilotFile,
                       const std::string& version, const KeptCycle& cycle) {
    std::size_t longest = LongestNameIn(folder);
    std::string pilot = Utf8Of(pilotFile.stem());
    std::string extension = Utf8Of(pilotFile.extension());
    for (int n = 1;; ++n) {
        std::string number = n == 1 ? "" : " (" + std::to_string(n) + ")";
        std::string shipSet = cycle.shipSet;
        auto name = [&] {
            return pilot + " " + version + " " + shipSet + " " + cycle.when + number + extension;
        };
        while (!shipSet.empty() && HostLength(name()) > longest)
            DropLastCharacter(shipSet);
        while (!pilot.empty() && HostLength(name()) > longest)
            DropLastCharacter(pilot);
        fs::path kept = folder / PathFromUtf8(name());
        if (!IsPresent(kept) && !IsLink(kept))
            return kept;
    }
}

}  // namespace tolvane
