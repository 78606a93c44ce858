#include "text/path_text.h"

namespace tolvane {

fs::path PathFromUtf8(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8Of(const fs::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string DisplayPath(const fs::path& path) {
    return Utf8Of(fs::path(path).make_preferred());
}

std::string WithBackslashes(std::string text) {
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }
    return text;
}

std::string WithTrailingSeparator(std::string folder) {
    char last = folder.empty() ? '\0' : folder.back();
    bool endsInSeparator = last == '/' || last == '\\';
#ifndef _WIN32
    endsInSeparator = last == '/';
#endif
    if (!endsInSeparator)
        folder += static_cast<char>(std::filesystem::path::preferred_separator);
    return folder;
}

}  // namespace tolvane
