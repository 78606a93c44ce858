#include "platform/file_moves.h"

#include <cerrno>

#include "platform/error.h"
#include "platform/fault_seam.h"
#include "platform/file_io.h"
#include "platform/file_system.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#endif

namespace tolvane {
namespace {

// Renames `from` to `to` unless `to` exists; the check and the rename are one step.
std::error_code RenameWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (std::error_code injected = BeforeFileOperation(FileStep::Rename, from, to))
        return injected;
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        return {};
    DWORD error = GetLastError();
    if (error == ERROR_NOT_SAME_DEVICE)
        return std::make_error_code(std::errc::cross_device_link);
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
        return std::make_error_code(std::errc::file_exists);
    return {static_cast<int>(error), std::system_category()};
#else
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return LastError();
    // The file system cannot rename without replacing: a hard link cannot replace either.
    if (::link(from.c_str(), to.c_str()) != 0)
        return LastError();
    if (::unlink(from.c_str()) != 0)
        return LastError();
    return {};
#endif
}

// What a new file takes over from the file it stands for.
enum class Keep { Permissions, PermissionsAndTime };

// Writes through a synced temporary file beside `target`, then puts it in place with `place`.
// The new file keeps the permissions of `model` where that exists, and for a copy its time too,
// so that a copy is known as the same file as its original.
template <typename Fill, typename Place>
void WriteThroughTemporary(const fs::path& target, const fs::path& model, Keep keep, Fill fill,
                           Place place) {
    fs::path temporary = FreshTemporaryPath(target.parent_path());
    try {
        OutputFile out = OutputFile::createNew(temporary);
        std::error_code noModel;
        fs::file_status modelStatus = fs::status(model, noModel);
        if (!noModel)
            fs::permissions(temporary, modelStatus.permissions(), noModel);
        fill(out);
        out.sync();
        out.close();
        if (keep == Keep::PermissionsAndTime) {
            std::error_code ec;
            fs::last_write_time(temporary, fs::last_write_time(model, ec), ec);
            if (ec)
                Fail("Could not copy the time of " + DisplayPath(model) + " to", temporary, ec);
        }
        place(temporary);
    } catch (...) {
        RemoveOwnFile(temporary);  // a working file of ours, never the target
        throw;
    }
}

// Renames `from` onto `to`, replacing it.
std::error_code RenameReplacing(const fs::path& from, const fs::path& to) {
    std::error_code ec = BeforeFileOperation(FileStep::Rename, from, to);
    if (ec)
        return ec;
#ifdef _WIN32
    // Write-through: the rename is in NTFS's log on disk before the call returns.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    DWORD error = GetLastError();
    if (error == ERROR_NOT_SAME_DEVICE)
        return std::make_error_code(std::errc::cross_device_link);
    return {static_cast<int>(error), std::system_category()};
#else
    fs::rename(from, to, ec);
    return ec;
#endif
}

void RenameOnto(const fs::path& temporary, const fs::path& target) {
    std::error_code ec = RenameReplacing(temporary, target);
    if (ec)
        Fail("Could not replace", target, ec);
    SyncFolder(target.parent_path());
}

void CopyOnto(const fs::path& from, const fs::path& to) {
    InputFile in(from);
    WriteThroughTemporary(
        to, from, Keep::PermissionsAndTime,
        [&](OutputFile& out) { out.writeFrom(in, 0, in.size()); },
        [&](const fs::path& temporary) { RenameOnto(temporary, to); });
}

}  // namespace

void WriteFileAtomically(const fs::path& target, std::string_view bytes) {
    WriteThroughTemporary(
        target, target, Keep::Permissions, [&](OutputFile& out) { out.write(bytes); },
        [&](const fs::path& temporary) { RenameOnto(temporary, target); });
}

void MoveFileOnto(const fs::path& from, const fs::path& to) {
    std::error_code ec = RenameReplacing(from, to);
    if (!ec)
        return;
    if (ec != std::errc::cross_device_link)
        Fail("Could not move " + DisplayPath(from) + " to", to, ec);
    CopyOnto(from, to);
    DeleteFileIfPresent(from);
}

void MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
    std::error_code ec = RenameWithoutReplacing(from, to);
    if (!ec)
        return;
    if (ec != std::errc::cross_device_link)
        Fail("Could not move " + DisplayPath(from) + " to", to, ec);
    CopyWithoutReplacing(from, to);
    DeleteFileIfPresent(from);
}

void CopyWithoutReplacing(const fs::path& from, const fs::path& to) {
    InputFile in(from);
    WriteThroughTemporary(
        to, from, Keep::PermissionsAndTime,
        [&](OutputFile& out) { out.writeFrom(in, 0, in.size()); },
        [&](const fs::path& temporary) {
            std::error_code ec = RenameWithoutReplacing(temporary, to);
            if (ec)
                Fail("Could not copy " + DisplayPath(from) + " to", to, ec);
            SyncFolder(to.parent_path());
        });
}

}  // namespace tolvane
