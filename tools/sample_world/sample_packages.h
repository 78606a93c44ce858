#pragma once

// The sample world's packages: GOB archives, .zt patches and information texts, well formed or
// damaged on purpose, for the demo, the screenshots, the benchmarks and the tests.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tolvane::sample {

// A member of a GOB package to build. `nameField` replaces the padded name when set (exactly
// what goes into the 128 bytes); `offset`/`size` override the real ones to make damaged files.
struct GobEntry {
    std::string name;
    std::string data;
    std::optional<std::string> nameField = std::nullopt;
    std::optional<std::uint32_t> offset = std::nullopt;
    std::optional<std::uint32_t> size = std::nullopt;
};

std::string MakeGob(const std::vector<GobEntry>& entries,
                    std::optional<std::int32_t> countOverride = std::nullopt);
void WriteGob(const std::filesystem::path& path, const std::vector<GobEntry>& entries);

// A member of a large package: its name, size and the byte it is filled with.
struct GeneratedMember {
    std::string name;
    std::uint64_t size;
    char fill;
};
// Writes a GOB package member by member in 1 MiB pieces, so memory stays flat however large.
void WriteGeneratedGob(const std::filesystem::path& path,
                       const std::vector<GeneratedMember>& members);

// "<prefix><number><suffix>", such as "M12.LFD", for the members of wide packages.
std::string Numbered(const std::string& prefix, std::size_t number, const std::string& suffix);

// A PATCHINFO.TXT text with CR LF lines; each argument is a whole line, label included.
std::string PatchInfoText(const std::string& name, const std::string& author = "Author: Red Nine",
                          const std::string& about = "About: New ships.");

struct ZtEntry {
    std::int32_t offset;
    std::string data;
};
// A .zt patch: 13 header bytes, the count, the records, then `trailing` bytes.
std::string MakeZt(const std::vector<ZtEntry>& records,
                   std::optional<std::int16_t> countOverride = std::nullopt,
                   const std::string& trailing = "", const std::string& header = "ZTPATCH-HEADR");

}  // namespace tolvane::sample
