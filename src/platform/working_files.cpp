#include "platform/working_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <limits>
#include <random>

#include "platform/error.h"
#include "platform/fault_seam.h"
#include "platform/folder_listing.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

constexpr const char* kTemporarySuffix = ".tmp";

}  // namespace

const std::string& TemporaryPrefix() {
    static const std::string prefix = [] {
        std::random_device random;
        std::uint64_t token =
            (std::uint64_t(random()) << 32) ^ random() ^
            std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(token));
        return std::string(kTemporaryNameStart) + hex + "-";
    }();
    return prefix;
}

fs::path LongestTemporaryName() {
    return TemporaryPrefix() + std::to_string(std::numeric_limits<unsigned>::max()) +
           kTemporarySuffix;
}

fs::path FreshTemporaryPath(const fs::path& folder) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        fs::path candidate =
            folder / (TemporaryPrefix() + std::to_string(counter++) + kTemporarySuffix);
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
}

TemporarySweep RemoveTemporaries(const fs::path& folder, const std::vector<std::string>& prefixes) {
    std::vector<fs::path> leftovers;
    TemporarySweep sweep;
    try {
        ForEachEntry(folder, [&](const fs::directory_entry& entry) {
            std::string name = Utf8Of(entry.path().filename());
            bool ours =
                std::any_of(prefixes.begin(), prefixes.end(),
                            [&](const std::string& prefix) { return name.starts_with(prefix); });
            if (ours && name.ends_with(kTemporarySuffix))
                leftovers.push_back(entry.path());
        });
    } catch (const Error&) {
        // A sweep is tidying: what could not be listed is reported as staying, and the ones
        // listed before the failure still go.
        sweep.allGone = false;
    }
    for (const fs::path& leftover : leftovers) {
        std::error_code removeError = BeforeFileOperation(FileStep::Delete, leftover);
        if (!removeError)
            fs::remove(leftover, removeError);
        sweep.removedAny = sweep.removedAny || !removeError;
        sweep.allGone = sweep.allGone && !removeError;
    }
    return sweep;
}

}  // namespace tolvane
