#include "launch/zt_patch.h"

#include "platform/error.h"
#include "platform/file_handles.h"
#include "platform/whole_file_steps.h"
#include "text/little_endian.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

// A .zt file: a header, a 16-bit record count at byte 13, then records from byte 15, each a
// 32-bit offset into the executable, an 8-bit length and that many bytes.
constexpr std::size_t kCountOffset = 13;
constexpr std::size_t kFirstRecord = 15;
constexpr std::size_t kRecordHeader = 4 + 1;  // the offset and the length
constexpr std::size_t kLongestRecordData = 255;
constexpr std::size_t kMostRecords = 32767;
// The most that the records can take; bytes after the last record are ignored.
constexpr std::uint64_t kLongestZtFile =
    kFirstRecord + kMostRecords * (kRecordHeader + kLongestRecordData);

}  // namespace

std::vector<ZtRecord> ReadZtPatch(const std::filesystem::path& path) {
    std::string bytes = InputFile(path).readFirst(kLongestZtFile);
    auto damaged = [&](const std::string& why) {
        return Error("The patch file " + DisplayPath(path) + " is damaged: " + why + ".");
    };
    if (bytes.size() < kFirstRecord)
        throw damaged("it is too short to hold a record count");
    auto count =
        static_cast<std::int16_t>(LittleEndian(std::string_view(bytes).substr(kCountOffset, 2)));
    std::vector<ZtRecord> records;
    std::size_t position = kFirstRecord;
    for (int j = 1; j <= count; ++j) {
        std::string label = "record " + std::to_string(j) + " of " + std::to_string(count);
        if (position + kRecordHeader > bytes.size())
            throw damaged(label + " runs past the end of the file");
        auto offset =
            static_cast<std::int32_t>(LittleEndian(std::string_view(bytes).substr(position, 4)));
        std::size_t length = static_cast<unsigned char>(bytes[position + kRecordHeader - 1]);
        if (position + kRecordHeader + length > bytes.size())
            throw damaged(label + " runs past the end of the file");
        if (offset < 0)
            throw damaged(label + " writes at a negative offset");
        records.push_back(
            {static_cast<std::uint32_t>(offset), bytes.substr(position + kRecordHeader, length)});
        position += kRecordHeader + length;
    }
    return records;
}

void ApplyZtRecords(std::string& target, const std::vector<ZtRecord>& records) {
    for (const ZtRecord& record : records) {
        if (record.data.empty())
            continue;
        std::size_t end = std::size_t(record.offset) + record.data.size();
        if (end > kLargestPatchedExecutable)
            throw Error("a record writes at byte " + std::to_string(record.offset) +
                        ", which would grow the executable past 64 MiB");
        if (end > target.size())
            target.resize(end, '\0');
        target.replace(record.offset, record.data.size(), record.data);
    }
}

void ApplyZtPatches(const std::filesystem::path& target,
                    const std::vector<std::filesystem::path>& patchFiles) {
    std::vector<std::vector<ZtRecord>> patches;
    for (const std::filesystem::path& file : patchFiles)
        patches.push_back(ReadZtPatch(file));
    std::string executable = InputFile(target).readAll();
    for (std::size_t i = 0; i < patches.size(); ++i) {
        try {
            ApplyZtRecords(executable, patches[i]);
        } catch (const Error& error) {
            throw Error("The patch file " + DisplayPath(patchFiles[i]) +
                        " is damaged: " + error.what() + ".");
        }
    }
    WriteFileAtomically(target, executable);
}

}  // namespace tolvane
