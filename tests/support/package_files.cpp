#include "support/package_files.h"

#include "support/temp_folder.h"

namespace tolvane::testing {
namespace {

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string MakeGob(const std::vector<GobEntry>& entries,
                    std::optional<std::int32_t> countOverride) {
    std::string bytes = "GOB\x0A" + std::string(12, '\0');
    Put32(bytes, 12,
          static_cast<std::uint32_t>(
              countOverride.value_or(static_cast<std::int32_t>(entries.size()))));
    std::size_t dataStart = 16 + 136 * entries.size();
    bytes.resize(dataStart, '\0');
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const GobEntry& entry = entries[i];
        std::size_t at = 16 + 136 * i;
        Put32(bytes, at, entry.offset.value_or(static_cast<std::uint32_t>(bytes.size())));
        Put32(bytes, at + 4, entry.size.value_or(static_cast<std::uint32_t>(entry.data.size())));
        std::string field = entry.nameField.value_or(entry.name);
        field.resize(128, '\0');
        bytes.replace(at + 8, 128, field);
        bytes += entry.data;
    }
    return bytes;
}

void WriteGob(const std::filesystem::path& path, const std::vector<GobEntry>& entries) {
    WriteFileBytes(path, MakeGob(entries));
}

std::string Numbered(const std::string& prefix, std::size_t number, const std::string& suffix) {
    std::string name = prefix;
    name += std::to_string(number);
    name += suffix;
    return name;
}

std::string PatchInfoText(const std::string& name, const std::string& author) {
    return name + "\r\n" + author +
           "\r\nEmail: pilot@example.org\r\nWebsite: example.org\r\n"
           "About: New ships.\r\n";
}

std::string MakeZt(const std::vector<ZtEntry>& records, std::optional<std::int16_t> countOverride,
                   const std::string& trailing, const std::string& header) {
    std::string bytes = header.substr(0, 13);
    bytes.resize(13, '\0');
    auto count = static_cast<std::uint16_t>(
        countOverride.value_or(static_cast<std::int16_t>(records.size())));
    bytes += static_cast<char>(count & 0xFF);
    bytes += static_cast<char>(count >> 8);
    for (const ZtEntry& record : records) {
        std::string head(5, '\0');
        Put32(head, 0, static_cast<std::uint32_t>(record.offset));
        head[4] = static_cast<char>(record.data.size());
        bytes += head + record.data;
    }
    return bytes + trailing;
}

}  // namespace tolvane::testing
