#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/fs_alias.h"

namespace tolvane {

// Whether opening a file may go through a link at its last component. The program's own files
// (the journal) are never reached through one.
enum class Links { Follow, Refuse };

// A file opened for reading at any offset. Every failure throws Error naming the file.
class InputFile {
  public:
    explicit InputFile(const fs::path& path, Links links = Links::Follow);
    InputFile(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    const fs::path& path() const { return path_; }
    std::uint64_t size() const { return size_; }
    // Reads exactly `length` bytes; running into the end of the file is an error.
    void readAt(std::uint64_t offset, void* data, std::size_t length) const;
    // Checks the run against the file's size before it allocates anything for it.
    std::string readAt(std::uint64_t offset, std::size_t length) const;
    std::string readAll() const { return readAt(0, static_cast<std::size_t>(size_)); }
    // The first `cap` bytes, or the whole file when it is smaller.
    std::string readFirst(std::uint64_t cap) const {
        return readAt(0, static_cast<std::size_t>(std::min(size_, cap)));
    }
    int descriptor() const { return fd_; }

  private:
    fs::path path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// A file being written. The creating functions never replace an existing file.
class OutputFile {
  public:
    static OutputFile createNew(const fs::path& path);
    // Opens an existing file to write at its end; a link there is refused.
    static OutputFile appendTo(const fs::path& path);
    OutputFile(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    const fs::path& path() const { return path_; }
    void write(std::string_view bytes);
    // Copies a run of another file, letting the kernel move the bytes where it can.
    void writeFrom(const InputFile& from, std::uint64_t offset, std::uint64_t length);
    void sync();
    void close();

  private:
    OutputFile(fs::path path, int fd) : path_(std::move(path)), fd_(fd) {}
    fs::path path_;
    int fd_ = -1;
};

// How many times any file or folder has been flushed to disk in this run, for the benchmarks.
std::uint64_t FlushesSoFar();

// Flushes a folder's entries to disk, so that a rename or a new file in it survives a power cut.
// Linux needs this; on Windows the file system keeps its folders' entries by itself.
void SyncFolder(const fs::path& folder);

}  // namespace tolvane
