#pragma once

#include <optional>
#include <string>
#include <system_error>

#include "platform/error.h"
#include "text/fs_alias.h"

namespace tolvane {

// What is at a path, each look through the fault seam. The throwing ones throw Error naming the
// path.

// True when something (a file, a folder, a link) is at `path`. A path that cannot be looked at
// is an Error, never taken for an absent one: what the cycle decides from it may move files.
bool IsPresent(const fs::path& path);

// True when `path` is a file (after links), or a folder, that this program can look at. For
// finding things (a game, a prefix, a Proton), where one that cannot be looked at is as good as
// none; never for deciding what to move.
bool IsAccessibleFile(const fs::path& path);
bool IsAccessibleFolder(const fs::path& path);

// True when `path` itself is a symbolic link (or, on Windows, any reparse point).
bool IsLink(const fs::path& path);
// The file a link leads to, through every link on the way; `path` itself when it is no link.
fs::path LinkTarget(const fs::path& path);
// Where the link at `path` leads, as the link itself says (perhaps relative to its folder).
fs::path ReadLink(const fs::path& path);
// The size and modification time of the file at `path` (after links) as one text, to tell later
// whether it is still the same file. An Error naming it when it cannot be looked at.
std::string FileStamp(const fs::path& path);
// Whether the file at `path` is still the one that `original` (a FileStamp) was taken of: the
// same size, written within two seconds, as a copy onto a file system with coarse times (FAT)
// keeps it; where the file system keeps local times (FAT, exFAT), an hour apart too, as a change
// of daylight saving shifts them there.
bool StillTheFileOf(const fs::path& path, const std::string& original);
// The error for a path the program reaches only where it is no link.
Error LinkNotFollowed(const fs::path& link);
// `base` / `relative`, once it is sure that no component of `relative` that exists is a link, so
// that a step on it cannot reach outside `base`. Throws Error naming the link.
fs::path WithoutLinks(const fs::path& base, const fs::path& relative);

// Why the host could not make a file at `path` (a name or the whole path too long for it), or
// nothing when it could.
std::optional<std::string> HostCannotCreate(const fs::path& path);

// True for a folder the system's programs are installed in (/usr, /opt, Program Files, the
// Windows folder): an installed program writes nothing there, even where it may.
bool IsSystemFolder(const fs::path& folder);

}  // namespace tolvane
