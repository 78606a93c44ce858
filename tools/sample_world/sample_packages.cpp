#include "sample_world/sample_packages.h"

#include <algorithm>
#include <fstream>

#include <stdexcept>
#include "sample_world/sample_folders.h"

namespace tolvane::sample {
namespace {

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// "GOB", the member count at byte 12, then a 136-byte directory entry a member: offset, size and
// the name field padded to 128 bytes.
struct DirectoryEntry {
    std::uint32_t offset;
    std::uint32_t size;
    std::string nameField;
};

std::string Directory(const std::vector<DirectoryEntry>& entries, std::uint32_t count) {
    std::string bytes = "GOB\x0A" + std::string(12, '\0');
    Put32(bytes, 12, count);
    for (const DirectoryEntry& entry : entries) {
        std::string head(8, '\0');
        Put32(head, 0, entry.offset);
        Put32(head, 4, entry.size);
        std::string field = entry.nameField;
        field.resize(128, '\0');
        bytes += head + field;
    }
    return bytes;
}

std::uint32_t DataStart(std::size_t members) {
    return static_cast<std::uint32_t>(16 + 136 * members);
}

}  // namespace

std::string MakeGob(const std::vector<GobEntry>& entries,
                    std::optional<std::int32_t> countOverride) {
    std::vector<DirectoryEntry> directory;
    std::string data;
    for (const GobEntry& entry : entries) {
        auto offset = static_cast<std::uint32_t>(DataStart(entries.size()) + data.size());
        directory.push_back({entry.offset.value_or(offset),
                             entry.size.value_or(static_cast<std::uint32_t>(entry.data.size())),
                             entry.nameField.value_or(entry.name)});
        data += entry.data;
    }
    auto count = static_cast<std::uint32_t>(
        countOverride.value_or(static_cast<std::int32_t>(entries.size())));
    return Directory(directory, count) + data;
}

void WriteGob(const std::filesystem::path& path, const std::vector<GobEntry>& entries) {
    WriteFileBytes(path, MakeGob(entries));
}

void WriteGeneratedGob(const std::filesystem::path& path,
                       const std::vector<GeneratedMember>& members) {
    std::vector<DirectoryEntry> directory;
    std::uint64_t offset = DataStart(members.size());
    for (const GeneratedMember& member : members) {
        directory.push_back({static_cast<std::uint32_t>(offset),
                             static_cast<std::uint32_t>(member.size), member.name});
        offset += member.size;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << Directory(directory, static_cast<std::uint32_t>(members.size()));
    for (const GeneratedMember& member : members) {
        std::string piece(std::min<std::uint64_t>(member.size, 1 << 20), member.fill);
        for (std::uint64_t left = member.size; left > 0;) {
            auto run = static_cast<std::size_t>(std::min<std::uint64_t>(left, piece.size()));
            out.write(piece.data(), static_cast<std::streamsize>(run));
            left -= run;
        }
    }
    if (!out.good())
        throw std::runtime_error("could not write " + path.string());
}

std::string Numbered(const std::string& prefix, std::size_t number, const std::string& suffix) {
    std::string name = prefix;
    name += std::to_string(number);
    name += suffix;
    return name;
}

std::string PatchInfoText(const std::string& name, const std::string& author,
                          const std::string& about) {
    return name + "\r\n" + author + "\r\nEmail: pilot@example.org\r\nWebsite: example.org\r\n" +
           about + "\r\n";
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

}  // namespace tolvane::sample
