// The launch journal reader on any bytes: it reads a journal or says it is damaged.
#include "fuzz_input.h"
#include "launch/launch_journal.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        ReadJournal(fuzz::WriteInput(data, size));
    } catch (const Error&) {
        // Damaged: the restore falls back to the package and the backups.
    }
    return 0;
}
