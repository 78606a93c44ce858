#include "platform/registry.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane {

#ifdef _WIN32

std::optional<std::string> GetKeyValue(std::uint32_t rootKey, const std::string& keyName,
                                       const std::string& valueName) {
    HKEY key = nullptr;
    auto root = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(rootKey)));
    if (RegOpenKeyExA(root, keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[1024];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    bool read = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (!read)
        return std::nullopt;
    if (type != REG_SZ)
        return std::string();
    std::string data(buffer, size);
    if (!data.empty() && data.back() == '\0')
        data.pop_back();
    return data;
}

#else

std::optional<std::string> GetKeyValue(std::uint32_t, const std::string&, const std::string&) {
    return std::nullopt;
}

#endif

}  // namespace tolvane
