// A stand-in for the game, for the tests that start it for real under Windows or Wine: it writes
// how it was started (its command line, its current folder, config.cfg's first line, and the
// registry value HKCU\Software\Tolvane Test\Prefix, which a test puts in one Wine prefix only)
// to the file that TOLVANE_STAND_IN_RECORD names, and ends.
#include <windows.h>

#include <fstream>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

}  // namespace

int main() {
    wchar_t record[MAX_PATH];
    if (GetEnvironmentVariableW(L"TOLVANE_STAND_IN_RECORD", record, MAX_PATH) == 0)
        return 1;
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::string firstLine;
    std::getline(std::ifstream("config.cfg", std::ios::binary), firstLine);
    if (!firstLine.empty() && firstLine.back() == '\r')
        firstLine.pop_back();
    wchar_t prefix[MAX_PATH] = L"";
    DWORD size = sizeof prefix;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Tolvane Test", L"Prefix", RRF_RT_REG_SZ, nullptr,
                 prefix, &size);
    std::ofstream out(record, std::ios::binary);
    out << Utf8(GetCommandLineW()) << '\n'
        << Utf8(folder) << '\n'
        << firstLine << '\n'
        << Utf8(prefix) << '\n';
    return 0;
}
