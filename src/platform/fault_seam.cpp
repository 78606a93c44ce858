#include "platform/fault_seam.h"

namespace tolvane {
namespace {

struct Armed {
    std::uint64_t operations = 0;
    std::uint64_t failAt = 0;  // 0: none
    std::error_code failure{};
    std::uint64_t dieAt = 0;  // 0: none
    bool recording = false;
    std::vector<RecordedStep> recorded{};
};

// One GUI thread does every file operation; the tests that arm the seam run one at a time.
Armed armed;

}  // namespace

std::error_code BeforeFileOperation(FileStep step, const fs::path& path, const fs::path& to,
                                    std::string_view bytes) {
    ++armed.operations;
    if (armed.recording)
        armed.recorded.push_back({step, path, to, std::string(bytes)});
    if (armed.dieAt != 0 && armed.operations >= armed.dieAt)
        throw SimulatedDeath{};
    if (armed.operations == armed.failAt)
        return armed.failure;
    return {};
}

void FaultSeam::FailAt(std::uint64_t n, std::error_code error) {
    armed = {.failAt = n, .failure = error};
}

void FaultSeam::DieAt(std::uint64_t n) {
    armed = {.dieAt = n};
}

void FaultSeam::Record() {
    armed = {.recording = true};
}

bool FaultSeam::Recording() {
    return armed.recording;
}

const std::vector<RecordedStep>& FaultSeam::Recorded() {
    return armed.recorded;
}

void FaultSeam::Disarm() {
    armed = {};
}

std::uint64_t FaultSeam::Operations() {
    return armed.operations;
}

}  // namespace tolvane
