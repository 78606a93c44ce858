#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "session/session.h"
#include "support/memory_settings_store.h"
#include "support/recording_prompts.h"

namespace tolvane::bench {

double SecondsOf(const std::function<void()>& work);
double Median(std::vector<double> values);

// A session whose settings point at `game` and `ships`, as accepted options leave them. Any
// message box stops the benchmark: a measurement must not hide a failure.
struct BenchSession {
    BenchSession(const std::filesystem::path& game, const std::filesystem::path& ships,
                 const std::filesystem::path& programFolder);
    testing::MemorySettingsStore store;
    testing::RecordingPrompts prompts;
    Session session;
};

}  // namespace tolvane::bench
