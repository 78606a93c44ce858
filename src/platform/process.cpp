#include "platform/process.h"

#include <cstdlib>

#include "platform/error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tolvane {

#ifdef _WIN32

namespace {

std::wstring Widen(const std::string& text) {
    return std::filesystem::path(text).wstring();
}

// cmd.exe reads its switches unquoted, so only arguments with spaces get quotes.
std::wstring Quoted(const std::string& argument) {
    std::wstring wide = Widen(argument);
    return wide.find(L' ') == std::wstring::npos ? wide : L"\"" + wide + L"\"";
}

}  // namespace

void StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
    std::wstring commandLine = Quoted(program);
    for (const std::string& argument : arguments)
        commandLine += L" " + Quoted(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNOACTIVATE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                        nullptr, nullptr, &startup, &process)) {
        throw Error(
            "Could not start " + program + ": " +
            std::error_code(static_cast<int>(GetLastError()), std::system_category()).message());
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::optional<std::filesystem::path> FindOnPath(const std::string& name) {
    wchar_t found[MAX_PATH];
    if (SearchPathW(nullptr, Widen(name).c_str(), L".exe", MAX_PATH, found, nullptr) == 0)
        return std::nullopt;
    return std::filesystem::path(found);
}

#else

void StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
    std::optional<std::filesystem::path> found = program.find('/') != std::string::npos
                                                     ? std::filesystem::path(program)
                                                     : FindOnPath(program);
    if (!found || ::access(found->c_str(), X_OK) != 0)
        throw Error("Could not start " + program + ": it was not found or may not be run");
    std::string path = found->string();
    std::vector<char*> argv{path.data()};
    std::vector<std::string> copies(arguments);
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // Fork twice so the game's process is nobody's child here and leaves no zombie behind.
    pid_t child = ::fork();
    if (child < 0)
        Fail("Could not start", program, LastError());
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

std::optional<std::filesystem::path> FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return std::nullopt;
    std::string folders(path);
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::filesystem::path candidate =
            std::filesystem::path(folders.substr(start, end - start)) / name;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

#endif

}  // namespace tolvane
