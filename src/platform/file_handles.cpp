#include "platform/file_handles.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "platform/fault_seam.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tolvane {
namespace {

constexpr std::size_t kChunk = 1 << 20;

std::atomic<std::uint64_t> flushes{0};

// Asks the fault seam first: an error it injects fails the operation as the system's would.
void Check(FileStep step, const std::string& what, const fs::path& path) {
    if (std::error_code injected = BeforeFileOperation(step, path))
        Fail(what, path, injected);
}

#ifdef _WIN32
int OpenFile(const fs::path& path, int flags, Links links = Links::Follow) {
    // Windows has no flag for it: a link at the last component is a reparse point.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (links == Links::Refuse && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        errno = ELOOP;
        return -1;
    }
    return _wopen(path.c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}
constexpr int kRead = _O_RDONLY;
constexpr int kCreateNew = _O_WRONLY | _O_CREAT | _O_EXCL;
constexpr int kAppend = _O_WRONLY | _O_APPEND;
long long ReadSome(int fd, void* data, std::size_t length, std::uint64_t offset) {
    if (_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0)
        return -1;
    return _read(fd, data, static_cast<unsigned>(std::min<std::size_t>(length, kChunk)));
}
long long WriteSome(int fd, const void* data, std::size_t length) {
    return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(length, kChunk)));
}
int SyncFile(int fd) {
    return _commit(fd);
}
int CloseFile(int fd) {
    return _close(fd);
}
std::uint64_t FileSize(int fd) {
    struct _stat64 info {};
    return _fstat64(fd, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}
#else
int OpenFile(const fs::path& path, int flags, Links links = Links::Follow) {
    return ::open(path.c_str(), flags | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0),
                  0666);
}
constexpr int kRead = O_RDONLY;
constexpr int kCreateNew = O_WRONLY | O_CREAT | O_EXCL;
constexpr int kAppend = O_WRONLY | O_APPEND;
long long ReadSome(int fd, void* data, std::size_t length, std::uint64_t offset) {
    return ::pread(fd, data, length, static_cast<off_t>(offset));
}
long long WriteSome(int fd, const void* data, std::size_t length) {
    return ::write(fd, data, length);
}
int SyncFile(int fd) {
    return ::fsync(fd);
}
int CloseFile(int fd) {
    return ::close(fd);
}
std::uint64_t FileSize(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}
#endif

}  // namespace

InputFile::InputFile(const fs::path& path, Links links) : path_(path) {
    Check(FileStep::Open, "Could not open", path);
    fd_ = OpenFile(path, kRead, links);
    if (fd_ < 0)
        Fail("Could not open", path, LastError());
    size_ = FileSize(fd_);
}

InputFile::InputFile(InputFile&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)), size_(other.size_) {}

InputFile::~InputFile() {
    if (fd_ >= 0)
        CloseFile(fd_);
}

void InputFile::readAt(std::uint64_t offset, void* data, std::size_t length) const {
    Check(FileStep::Read, "Could not read", path_);
    auto* out = static_cast<char*>(data);
    while (length > 0) {
        long long got = ReadSome(fd_, out, length, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            Fail("Could not read", path_, LastError());
        if (got == 0)
            throw Error("Could not read " + DisplayPath(path_) + ": it ends too early");
        out += got;
        offset += static_cast<std::uint64_t>(got);
        length -= static_cast<std::size_t>(got);
    }
}

std::string InputFile::readAt(std::uint64_t offset, std::size_t length) const {
    if (offset > size_ || length > size_ - offset)
        throw Error("Could not read " + DisplayPath(path_) + ": it ends too early");
    std::string bytes(length, '\0');
    readAt(offset, bytes.data(), length);
    return bytes;
}

OutputFile OutputFile::createNew(const fs::path& path) {
    Check(FileStep::Create, "Could not create", path);
    int fd = OpenFile(path, kCreateNew);
    if (fd < 0)
        Fail("Could not create", path, LastError());
    return OutputFile(path, fd);
}

OutputFile OutputFile::appendTo(const fs::path& path) {
    Check(FileStep::Open, "Could not open", path);
    int fd = OpenFile(path, kAppend, Links::Refuse);
    if (fd < 0)
        Fail("Could not open", path, LastError());
    return OutputFile(path, fd);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

OutputFile::~OutputFile() {
    if (fd_ >= 0)
        CloseFile(fd_);
}

void OutputFile::write(std::string_view bytes) {
    if (std::error_code injected = BeforeFileOperation(FileStep::Write, path_, {}, bytes))
        Fail("Could not write", path_, injected);
    while (!bytes.empty()) {
        long long put = WriteSome(fd_, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            Fail("Could not write", path_, LastError());
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
}

void OutputFile::writeFrom(const InputFile& from, std::uint64_t offset, std::uint64_t length) {
    Check(FileStep::Write, "Could not write", path_);
#ifdef __linux__
    // copy_file_range keeps the bytes in the kernel (and may share blocks on file systems that
    // can); it is not offered everywhere, so the plain loop below takes over when it refuses,
    // and when a recording seam must see every byte written.
    loff_t in = static_cast<loff_t>(offset);
    while (length > 0 && !FaultSeam::Recording()) {
        ssize_t moved = ::copy_file_range(from.descriptor(), &in, fd_, nullptr,
                                          std::min<std::uint64_t>(length, 1u << 30), 0);
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved <= 0)
            break;
        length -= static_cast<std::uint64_t>(moved);
    }
    offset = static_cast<std::uint64_t>(in);
#endif
    std::vector<char> buffer(std::min<std::uint64_t>(length, kChunk));
    while (length > 0) {
        std::size_t run = static_cast<std::size_t>(std::min<std::uint64_t>(length, buffer.size()));
        from.readAt(offset, buffer.data(), run);
        write({buffer.data(), run});
        offset += run;
        length -= run;
    }
}

void OutputFile::sync() {
    Check(FileStep::Flush, "Could not write", path_);
    ++flushes;
    if (SyncFile(fd_) != 0)
        Fail("Could not write", path_, LastError());
}

void OutputFile::close() {
    Check(FileStep::Close, "Could not write", path_);
    int fd = std::exchange(fd_, -1);
    if (fd >= 0 && CloseFile(fd) != 0)
        Fail("Could not write", path_, LastError());
}

std::uint64_t FlushesSoFar() {
    return flushes;
}

void SyncFolder(const fs::path& folder) {
    Check(FileStep::Flush, "Could not write", folder);
    ++flushes;
#ifndef _WIN32
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        Fail("Could not open", folder, LastError());
    int synced = ::fsync(fd);
    std::error_code error = LastError();
    ::close(fd);
    if (synced != 0)
        Fail("Could not write", folder, error);
#endif
}

}  // namespace tolvane
