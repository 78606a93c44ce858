#include "bench_support.h"

#include <algorithm>
#include <chrono>

namespace tolvane::bench {

BenchSession::BenchSession(const std::filesystem::path& game, const std::filesystem::path& ships,
                           const std::filesystem::path& programFolder)
    : session(store, prompts, programFolder, programFolder) {
    store.save("Version", "Ordell Version", "2.5");
    store.save("Settings", "XWA Exe", (game / "XWINGALLIANCE.EXE").string());
    store.save("Settings", "ShipSet Dir", (ships / "").string());
    session.loadSettings();
}

double SecondsOf(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace tolvane::bench
