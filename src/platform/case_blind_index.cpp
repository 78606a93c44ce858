#include "platform/case_blind_index.h"

#include "platform/folder_listing.h"
#include "text/name_key.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane {
namespace {

std::string KeyOf(const fs::path& name) {
    return NameKey(Utf8Of(name));
}

EntryKind KindOf(const fs::directory_entry& entry) {
    std::error_code ec;
    fs::file_status status = entry.symlink_status(ec);
    if (fs::is_regular_file(status))
        return EntryKind::File;
    if (fs::is_directory(status))
        return EntryKind::Folder;
    return EntryKind::Other;
}

}  // namespace

FolderIndex::FolderIndex(const fs::path& folder) : folder_(folder) {
    ForEachEntry(folder, [&](const fs::directory_entry& entry) {
        fs::path name = entry.path().filename();
        auto [place, added] = entries_.try_emplace(KeyOf(name), FolderEntry{name, KindOf(entry)});
        // On a case-sensitive disk several entries may share a key: the one first in byte order
        // stands for them all, whatever order the folder lists them in.
        if (!added && name < place->second.name)
            place->second = {name, KindOf(entry)};
    });
}

const FolderEntry* FolderIndex::find(const fs::path& name) const {
    auto found = entries_.find(KeyOf(name));
#ifdef _WIN32
    if (found == entries_.end() && name.native().find(L'~') != std::wstring::npos) {
        // Only the file system knows which entry a short name stands for.
        fs::path asked = folder_ / name;
        std::wstring longPath(32768, L'\0');
        DWORD length =
            GetLongPathNameW(asked.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
        if (length > 0 && length < longPath.size()) {
            longPath.resize(length);
            found = entries_.find(KeyOf(fs::path(longPath).filename()));
        }
    }
#endif
    return found == entries_.end() ? nullptr : &found->second;
}

void FolderIndex::add(const fs::path& name, EntryKind kind) {
    entries_.try_emplace(KeyOf(name), FolderEntry{name, kind});
}

void FolderIndex::remove(const fs::path& name) {
    entries_.erase(KeyOf(name));
}

FolderIndex& TreeIndex::folder(const fs::path& folder) {
    auto found = folders_.find(Utf8Of(folder));
    if (found == folders_.end())
        found = folders_.emplace(Utf8Of(folder), FolderIndex(folder)).first;
    return found->second;
}

fs::path TreeIndex::resolve(const fs::path& base, const std::vector<fs::path>& components) {
    fs::path result = base;
    bool exists = true;
    for (const fs::path& component : components) {
        const FolderEntry* entry = exists ? folder(result).find(component) : nullptr;
        exists = entry != nullptr;
        result /= exists ? entry->name : component;
    }
    return result;
}

}  // namespace tolvane
