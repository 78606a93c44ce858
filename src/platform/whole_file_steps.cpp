#include "platform/whole_file_steps.h"

#include <cerrno>

#include "platform/error.h"
#include "platform/fault_seam.h"
#include "platform/file_handles.h"
#include "platform/folder_steps.h"
#include "platform/working_files.h"
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

// Whether a rename may replace a file found where it goes.
enum class Replacing { Allowed, Never };

// Renames `from` to `to`. Where replacing is never allowed a file at `to` stays, and the check and
// the rename are one step.
std::error_code Rename(const fs::path& from, const fs::path& to, Replacing replacing) {
    if (std::error_code injected = BeforeFileOperation(FileStep::Rename, from, to))
        return injected;
#ifdef _WIN32
    // Write-through: the rename is in NTFS's log on disk before the call returns.
    DWORD flags =
        MOVEFILE_WRITE_THROUGH | (replacing == Replacing::Allowed ? MOVEFILE_REPLACE_EXISTING : 0);
    if (MoveFileExW(from.c_str(), to.c_str(), flags))
        return {};
    DWORD error = GetLastError();
    if (error == ERROR_NOT_SAME_DEVICE)
        return std::make_error_code(std::errc::cross_device_link);
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
        return std::make_error_code(std::errc::file_exists);
    return {static_cast<int>(error), std::system_category()};
#else
    if (replacing == Replacing::Allowed) {
        std::error_code ec;
        fs::rename(from, to, ec);
        return ec;
    }
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

// Writes through a synced temporary file beside `target`, then renames it into `target`'s place
// and flushes the folder, so that the rename outlives a power cut; `what` says what failed. The
// new file keeps the permissions of `model` where that exists, and for a copy its time too, so
// that a copy is known as the same file as its original.
template <typename Fill>
void WriteThroughTemporary(const fs::path& target, const fs::path& model, Keep keep,
                           Replacing replacing, const std::string& what, Fill fill) {
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
            // The time is how the copy is known again: on the disk before the original may go.
            OutputFile::appendTo(temporary).sync();
        }
        std::error_code ec = Rename(temporary, target, replacing);
        if (ec)
            Fail(what, target, ec);
        SyncFolder(target.parent_path());
    } catch (...) {
        RemoveOwnFile(temporary);  // a working file of ours, never the target
        throw;
    }
}

void Copy(const fs::path& from, const fs::path& to, Replacing replacing) {
    InputFile in(from);
    WriteThroughTemporary(to, from, Keep::PermissionsAndTime, replacing,
                          "Could not copy " + DisplayPath(from) + " to",
                          [&](OutputFile& out) { out.writeFrom(in, 0, in.size()); });
}

// A rename where the file system allows, else a durable copy after which `from` is deleted.
void Move(const fs::path& from, const fs::path& to, Replacing replacing) {
    std::error_code ec = Rename(from, to, replacing);
    if (!ec)
        return;
    if (ec != std::errc::cross_device_link)
        Fail("Could not move " + DisplayPath(from) + " to", to, ec);
    Copy(from, to, replacing);
    DeleteFileIfPresent(from);
}

}  // namespace

void WriteFileAtomically(const fs::path& target, std::string_view bytes) {
    WriteThroughTemporary(target, target, Keep::Permissions, Replacing::Allowed,
                          "Could not replace", [&](OutputFile& out) { out.write(bytes); });
}

void MoveFileOnto(const fs::path& from, const fs::path& to) {
    Move(from, to, Replacing::Allowed);
}

void MoveWithoutReplacing(const fs::path& from, const fs::path& to) {
    Move(from, to, Replacing::Never);
}

void CopyWithoutReplacing(const fs::path& from, const fs::path& to) {
    Copy(from, to, Replacing::Never);
}

}  // namespace tolvane
