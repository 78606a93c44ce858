#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tolvane {

// One record of a .zt patch file: bytes to write over the executable at an offset.
struct ZtRecord {
    std::uint32_t offset = 0;
    std::string data;
};

// Reads a .zt file: 13 header bytes (not used), a signed 16-bit record count at byte 13, then
// the records, each a signed 32-bit offset, a length byte and that many data bytes. Bytes after
// the last counted record are ignored. A record that runs past the end of the file or writes at
// a negative offset is an Error naming the file and the record.
std::vector<ZtRecord> ReadZtPatch(const std::filesystem::path& path);

// XWINGALLIANCE.EXE is about 3.5 MB, and patches rewrite its code in place or add a little at
// its end; a record that would take it past 64 MiB is damage, and the bound keeps the program's
// memory bounded whatever offset a patch file holds.
inline constexpr std::size_t kLargestPatchedExecutable = 64 * 1024 * 1024;

// Writes the records over `target` in order; a record past the end makes it longer. A record
// past kLargestPatchedExecutable is an Error, and `target` may then be partly patched.
void ApplyZtRecords(std::string& target, const std::vector<ZtRecord>& records);

// Applies every patch file, in the order given, to the executable at `target`. All of them are
// read and checked before the executable changes; it is then replaced in one atomic write.
void ApplyZtPatches(const std::filesystem::path& target,
                    const std::vector<std::filesystem::path>& patchFiles);

}  // namespace tolvane
