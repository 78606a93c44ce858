#include "platform/folder_lookup.h"

#include <algorithm>

#include "platform/text.h"

namespace tolvane {
namespace {

bool IsHidden(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

}  // namespace

std::vector<std::string> ListFiles(const fs::path& folder, std::string_view pattern) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        // A link that leads nowhere is listed, so that whoever opens it can say it is broken.
        std::error_code typeError;
        if (IsHidden(name) || it->is_directory(typeError))
            continue;
        if (MatchesPattern(pattern, name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
    return names;
}

std::optional<std::string> FindIgnoringCase(const fs::path& folder, std::string_view name) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(folder / fs::path(name), ec)))
        return std::string(name);
#ifdef _WIN32
    return std::nullopt;  // the file system itself ignores letter case
#else
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (EqualsIgnoringCase(entry, name))
            return entry;
    }
    return std::nullopt;
#endif
}

fs::path ResolveIgnoringCase(const fs::path& base, const std::vector<std::string>& components) {
    fs::path result = base;
    bool exists = true;
    for (const std::string& component : components) {
        if (exists) {
            std::optional<std::string> found = FindIgnoringCase(result, component);
            exists = found.has_value();
            result /= found.value_or(component);
        } else {
            result /= component;
        }
    }
    return result;
}

}  // namespace tolvane
