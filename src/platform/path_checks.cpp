#include "platform/path_checks.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/error.h"
#include "platform/fault_seam.h"
#include "platform/file_system_kind.h"
#include "text/name_matching.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane {

bool IsPresent(const fs::path& path) {
    std::error_code ec = BeforeFileOperation(FileStep::LookUp, path);
    fs::file_status status = ec ? fs::file_status{} : fs::symlink_status(path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
        Fail("Could not look at", path, ec);
    return fs::exists(status);
}

bool IsAccessibleFile(const fs::path& path) {
    std::error_code ec = BeforeFileOperation(FileStep::LookUp, path);
    return !ec && fs::is_regular_file(path, ec);
}

bool IsAccessibleFolder(const fs::path& path) {
    std::error_code ec = BeforeFileOperation(FileStep::LookUp, path);
    return !ec && fs::is_directory(path, ec);
}

bool IsLink(const fs::path& path) {
    std::error_code ec = BeforeFileOperation(FileStep::LookUp, path);
    if (ec)
        Fail("Could not look at", path, ec);
#ifdef _WIN32
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
#else
    return fs::is_symlink(fs::symlink_status(path, ec));
#endif
}

fs::path LinkTarget(const fs::path& path) {
    if (!IsLink(path))
        return path;
    std::error_code ec;
    fs::path target = fs::canonical(path, ec);
    if (ec)
        Fail("Could not follow the link", path, ec);
    return target;
}

fs::path ReadLink(const fs::path& path) {
    std::error_code ec = BeforeFileOperation(FileStep::LookUp, path);
    fs::path target = ec ? fs::path() : fs::read_symlink(path, ec);
    if (ec)
        Fail("Could not follow the link", path, ec);
    return target;
}

std::string FileStamp(const fs::path& path) {
    std::error_code ec = BeforeFileOperation(FileStep::LookUp, path);
    std::uintmax_t size = ec ? 0 : fs::file_size(path, ec);
    fs::file_time_type time = ec ? fs::file_time_type() : fs::last_write_time(path, ec);
    if (ec)
        Fail("Could not look at", path, ec);
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch());
    return std::to_string(size) + " bytes, written at " + std::to_string(seconds.count());
}

bool StillTheFileOf(const fs::path& path, const std::string& original) {
    constexpr long long kCoarsest = 2;  // seconds: FAT keeps a file's time to two seconds
    constexpr long long kDaylightSaving = 3600;
    std::string now = FileStamp(path);
    unsigned long long sizeNow = 0, sizeThen = 0;
    long long timeNow = 0, timeThen = 0;
    if (std::sscanf(now.c_str(), "%llu bytes, written at %lld", &sizeNow, &timeNow) != 2 ||
        std::sscanf(original.c_str(), "%llu bytes, written at %lld", &sizeThen, &timeThen) != 2 ||
        sizeNow != sizeThen)
        return false;
    long long apart = std::llabs(timeNow - timeThen);
    return apart <= kCoarsest ||
           (std::llabs(apart - kDaylightSaving) <= kCoarsest && KeepsLocalTimes(path));
}

Error LinkNotFollowed(const fs::path& link) {
    return Error(DisplayPath(link) + " is a link, and Tolvane does not follow links there");
}

fs::path WithoutLinks(const fs::path& base, const fs::path& relative) {
    fs::path path = base;
    for (const fs::path& component : relative) {
        path /= component;
        if (IsLink(path))
            throw LinkNotFollowed(path);
        if (!IsPresent(path))
            break;
    }
    return base / relative;
}

std::optional<std::string> HostCannotCreate(const fs::path& path) {
    // Native lengths count what the host counts: UTF-16 units on Windows, bytes elsewhere.
#ifdef _WIN32
    // MAX_PATH, less its terminating NUL, for programs that are not long path aware.
    constexpr std::size_t kLongestName = 255, kLongestPath = 259;
#else
    constexpr std::size_t kLongestName = 255, kLongestPath = 4095;
#endif
    auto length = [](const fs::path& p) { return p.native().size(); };
    for (const fs::path& component : path) {
        if (length(component) > kLongestName)
            return "has a name longer than the " + std::to_string(kLongestName) +
                   " characters a file name can have";
    }
    if (length(path) > kLongestPath)
        return "would make a path longer than the " + std::to_string(kLongestPath) +
               " characters this system allows";
    return std::nullopt;
}

bool IsSystemFolder(const fs::path& folder) {
    std::vector<fs::path> roots;
#ifdef _WIN32
    for (const wchar_t* variable :
         {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432", L"SystemRoot"}) {
        if (const wchar_t* value = _wgetenv(variable))
            roots.emplace_back(value);
    }
#else
    roots = {"/usr", "/bin", "/sbin", "/lib", "/lib64", "/opt", "/etc"};
#endif
    std::string key = UpperAscii(Utf8Of(folder.lexically_normal()));
    for (const fs::path& root : roots) {
        std::string rootKey = UpperAscii(Utf8Of(root.lexically_normal()));
        if (key == rootKey || key.starts_with(rootKey + Utf8Of(fs::path("/").make_preferred())))
            return true;
    }
    return false;
}

}  // namespace tolvane
