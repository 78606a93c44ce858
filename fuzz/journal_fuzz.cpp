// The launch journal reader on any bytes: it reads a journal or says which lines it refuses.
#include "fuzz_input.h"
#include "launch/launch_journal.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        ReadJournal(fuzz::WriteInput(data, size), {"/xwa", "/ships/Backup"});
    } catch (const Error&) {
        // Refused: the restore moves nothing from it, or falls back to the package.
    }
    return 0;
}
