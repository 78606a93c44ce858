#include "platform/file_system_kind.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/vfs.h>

#include <fstream>
#include <sstream>
#endif

namespace tolvane {
namespace {

#ifndef _WIN32
constexpr long kFatMagic = 0x4d44;        // vfat and msdos
constexpr long kExFatMagic = 0x2011BAB0;  // the kernel's exFAT
constexpr long kFuseMagic = 0x65735546;   // a file system in user space: mountinfo says which

// A mount point as /proc/self/mountinfo writes it: space, tab, line end and "\" as octal escapes.
std::string Unescaped(const std::string& field) {
    auto octal = [](char c) { return c >= '0' && c <= '7'; };
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) &&
            octal(field[i + 2]) && octal(field[i + 3])) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

// The type of the file system in user space mounted where `path` lies: that of the longest mount
// point that holds it.
std::string FuseTypeOf(const fs::path& path) {
    std::error_code ec;
    std::string where = fs::weakly_canonical(path, ec).string();
    std::ifstream mounts("/proc/self/mountinfo");
    std::string line, type;
    std::size_t longest = 0;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint, field;
        fields >> id >> parent >> device >> root >> mountPoint;
        while (fields >> field && field != "-") {
        }
        std::string fileSystem;
        fields >> fileSystem;
        std::string point = Unescaped(mountPoint);
        bool holds = where == point || where.starts_with(point == "/" ? point : point + "/");
        if (holds && point.size() >= longest) {
            longest = point.size();
            type = fileSystem;
        }
    }
    return type;
}
#endif

}  // namespace

bool KeepsLocalTimes(const fs::path& path) {
#ifdef _WIN32
    wchar_t volume[MAX_PATH + 1];
    wchar_t fileSystem[MAX_PATH + 1];
    if (!GetVolumePathNameW(path.c_str(), volume, MAX_PATH + 1) ||
        !GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                               MAX_PATH + 1))
        return false;
    std::wstring name = fileSystem;
    return name == L"FAT" || name == L"FAT32" || name == L"exFAT";
#else
    struct statfs info {};
    if (statfs(path.c_str(), &info) != 0)
        return false;
    long type = static_cast<long>(info.f_type);
    if (type == kFatMagic || type == kExFatMagic)
        return true;
    if (type != kFuseMagic)
        return false;
    std::string fuse = FuseTypeOf(path);
    return fuse.find("fat") != std::string::npos;  // fuse.fusefat, fuse.exfat
#endif
}

}  // namespace tolvane
