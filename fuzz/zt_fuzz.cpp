// The .zt reader and the patcher on any bytes: no crash, and never an executable past the bound.
#include "fuzz_input.h"
#include "launch/zt_patch.h"
#include "platform/error.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        std::vector<ZtRecord> records = ReadZtPatch(fuzz::WriteInput(data, size));
        std::string executable(64, 'X');
        ApplyZtRecords(executable, records);
        if (executable.size() > kLargestPatchedExecutable)
            __builtin_trap();
    } catch (const Error&) {
        // Refused with a reason, as a damaged patch file is.
    }
    return 0;
}
