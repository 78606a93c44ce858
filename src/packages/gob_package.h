#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_handles.h"
#include "text/fs_alias.h"

namespace tolvane {

// One directory entry of a GOB package.
struct GobMember {
    int number = 0;  // position in the directory, from 1
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    // The name field up to its first NUL: bytes of the Windows code page, "\" between folders.
    std::string name;
};

// A GOB package opened for reading: the member count at byte 12, then 136-byte directory
// entries from byte 16. Only the directory is read up front; a member's bytes are read when
// asked for. A directory that does not fit in the file is an Error.
class GobPackage {
  public:
    explicit GobPackage(const fs::path& path) : GobPackage(InputFile(path)) {}
    explicit GobPackage(InputFile file);

    const fs::path& path() const { return file_.path(); }
    const InputFile& file() const { return file_; }
    const std::vector<GobMember>& members() const { return members_; }
    // The member's first `cap` bytes at most; its data must lie inside the file.
    std::string readMember(const GobMember& member, std::uint32_t cap) const;

  private:
    InputFile file_;
    std::vector<GobMember> members_;
};

inline constexpr std::size_t kGobCountOffset = 12;  // the member count, 32 bits
inline constexpr std::size_t kGobHeaderSize = 16;
// A directory entry: the member's offset and size, 32 bits each, then its name field.
inline constexpr std::size_t kGobEntrySize = 136;
inline constexpr std::size_t kGobNameOffset = 8;
inline constexpr std::size_t kGobNameSize = 128;

// The member name as Windows creates it, and so as the install writes it: each component
// without its trailing dots and spaces.
std::string InstalledName(const GobMember& member);
// A member name split at its "\" separators into the host's file names.
std::vector<fs::path> NameComponents(const std::string& name);
// A member name in the program's characters, for messages.
std::string DisplayName(const std::string& name);
// The key of the one file a member name reaches (see NameKey).
std::string MemberKey(const std::string& name);
// "member 3 (DATA\X.LFD)", how messages name a member.
std::string MemberLabel(const GobMember& member);

}  // namespace tolvane
