#include "platform/process.h"

#include <cstdlib>
#include <fstream>
#include <utility>

#include "platform/error.h"
#include "text/name_matching.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tolvane {
namespace {

// Two paths as text, letter case and the kind of separator ignored, as Windows compares them.
bool SamePathText(std::string a, std::string b) {
    for (std::string* path : {&a, &b}) {
        for (char& c : *path) {
            if (c == '\\')
                c = '/';
        }
    }
    return !a.empty() && UpperAscii(a) == UpperAscii(b);
}

}  // namespace

RunningProgram::RunningProgram(RunningProgram&& other) noexcept
    : process_(std::exchange(other.process_, {})),
      started_(other.started_),
      ended_(other.ended_),
      exitCode_(other.exitCode_),
      output_(std::move(other.output_)) {}

RunningProgram& RunningProgram::operator=(RunningProgram&& other) noexcept {
    std::swap(process_, other.process_);
    std::swap(started_, other.started_);
    std::swap(ended_, other.ended_);
    std::swap(exitCode_, other.exitCode_);
    std::swap(output_, other.output_);
    return *this;
}

double RunningProgram::seconds() const {
    auto end = ended_.value_or(std::chrono::steady_clock::now());
    return std::chrono::duration<double>(end - started_).count();
}

#ifdef _WIN32

namespace {

std::wstring Widen(const std::string& text) {
    return PathFromUtf8(text).wstring();
}

// The quoting that CommandLineToArgvW and the C runtime undo: backslashes are literal except
// before a quote, which they and the quote escape.
std::wstring QuotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

std::error_code LastSystemError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

RunningProgram Start(const fs::path& program, std::wstring commandLine,
                     const fs::path& workingFolder, const Environment& environment = {}) {
    for (const auto& [name, value] : environment)
        SetEnvironmentVariableW(Widen(name).c_str(), Widen(value).c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNOACTIVATE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(
            program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
            nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
        Fail("Could not start", program, LastSystemError());
    }
    CloseHandle(process.hThread);
    return RunningProgram(process.hProcess);
}

}  // namespace

RunningProgram StartDetached(const fs::path& program, const std::vector<std::string>& arguments,
                             const fs::path& workingFolder, const Environment& environment,
                             const fs::path&) {
    std::wstring commandLine = QuotedArgument(program.wstring());
    for (const std::string& argument : arguments)
        commandLine += L" " + QuotedArgument(Widen(argument));
    return Start(program, commandLine, workingFolder, environment);
}

RunningProgram::~RunningProgram() {
    if (process_ != nullptr)
        CloseHandle(process_);
}

bool RunningProgram::running() {
    if (process_ == nullptr)
        return false;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT)
        return true;
    DWORD code = 0;
    if (!ended_ && GetExitCodeProcess(process_, &code))
        exitCode_ = static_cast<int>(code);
    if (!ended_)
        ended_ = std::chrono::steady_clock::now();
    return false;
}

bool ProgramIsRunning(const std::vector<std::string>& imagePaths) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry)) {
        // A process this user may not ask about is not this player's game.
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (process == nullptr)
            continue;
        std::wstring image(32768, L'\0');
        DWORD size = static_cast<DWORD>(image.size());
        if (QueryFullProcessImageNameW(process, 0, image.data(), &size)) {
            image.resize(size);
            for (const std::string& wanted : imagePaths)
                found = found || SamePathText(Utf8Of(fs::path(image)), wanted);
        }
        CloseHandle(process);
    }
    CloseHandle(snapshot);
    return found;
}

RunningProgram StartBatchFile(const fs::path& batch, const fs::path& workingFolder) {
    wchar_t system[MAX_PATH];
    UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        Fail("Could not find the system folder for", "cmd.exe", LastSystemError());
    fs::path cmd = fs::path(system) / L"cmd.exe";
    // With /s cmd drops the first and the last quote of what follows /c and runs the rest as it
    // stands, so the quoted path inside keeps its spaces, parentheses and ampersands.
    std::wstring commandLine =
        L"\"" + cmd.wstring() + L"\" /d /s /c \"\"" + batch.wstring() + L"\"\"";
    return Start(cmd, commandLine, workingFolder);
}

std::optional<std::string> ConsoleCodePageText(const std::string& text) {
    std::wstring wide = Widen(text);
    if (wide.empty())
        return std::string();
    BOOL defaulted = FALSE;
    int size = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                   static_cast<int>(wide.size()), nullptr, 0, nullptr, &defaulted);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        bytes.data(), size, nullptr, &defaulted);
    if (size == 0 || defaulted)
        return std::nullopt;
    return bytes;
}

std::optional<fs::path> ShortPathOf(const fs::path& path) {
    DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (length == 0)
        return std::nullopt;
    std::wstring shortPath(length, L'\0');
    length = GetShortPathNameW(path.c_str(), shortPath.data(), length);
    if (length == 0)
        return std::nullopt;
    shortPath.resize(length);
    return fs::path(shortPath);
}

std::optional<fs::path> FindOnPath(const std::string& name) {
    wchar_t found[MAX_PATH];
    if (SearchPathW(nullptr, Widen(name).c_str(), L".exe", MAX_PATH, found, nullptr) == 0)
        return std::nullopt;
    return fs::path(found);
}

#else

RunningProgram StartDetached(const fs::path& program, const std::vector<std::string>& arguments,
                             const fs::path& workingFolder, const Environment& environment,
                             const fs::path& output) {
    std::optional<fs::path> found =
        program.has_parent_path() ? std::optional(program) : FindOnPath(program.string());
    if (!found || ::access(found->c_str(), X_OK) != 0)
        throw Error("Could not start " + DisplayPath(program) +
                    ": it was not found or may not be run");
    std::string path = found->string();
    std::vector<char*> argv{path.data()};
    std::vector<std::string> copies(arguments);
    for (std::string& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // A child of its own session, so that it outlives this program; kept as a child so that its
    // end can be seen (and reaped) by RunningProgram.
    pid_t child = ::fork();
    if (child < 0)
        Fail("Could not start", program, LastError());
    if (child == 0) {
        ::setsid();
        if (!output.empty()) {
            int log = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            if (log >= 0) {
                ::dup2(log, STDOUT_FILENO);
                ::dup2(log, STDERR_FILENO);
            }
        }
        if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0)
            ::_exit(126);
        for (const auto& [name, value] : environment)
            ::setenv(name.c_str(), value.c_str(), 1);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    RunningProgram started(child);
    if (!output.empty())
        started.keepOutputIn(output);
    return started;
}

RunningProgram::~RunningProgram() = default;  // a child still running is left to run

bool RunningProgram::running() {
    if (process_ <= 0)
        return false;
    int status = 0;
    pid_t ended = ::waitpid(process_, &status, WNOHANG);
    if (ended == 0)
        return true;
    if (ended == process_ && WIFEXITED(status))
        exitCode_ = WEXITSTATUS(status);
    else if (ended == process_ && WIFSIGNALED(status))
        exitCode_ = 128 + WTERMSIG(status);
    ended_ = std::chrono::steady_clock::now();
    process_ = 0;  // reaped, or not ours to ask about any more
    return false;
}

// Wine runs a Windows program as a process whose arguments name its path, with either separator.
bool ProgramIsRunning(const std::vector<std::string>& imagePaths) {
    std::error_code ec;
    for (fs::directory_iterator it("/proc", ec), end; !ec && it != end; it.increment(ec)) {
        struct stat owner {};
        if (::stat(it->path().c_str(), &owner) != 0 || owner.st_uid != ::getuid())
            continue;
        std::ifstream cmdline(it->path() / "cmdline", std::ios::binary);
        for (std::string argument; std::getline(cmdline, argument, '\0');) {
            for (const std::string& wanted : imagePaths) {
                if (SamePathText(argument, wanted))
                    return true;
            }
        }
    }
    return false;
}

std::optional<fs::path> FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr)
        return std::nullopt;
    std::string folders(path);
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        fs::path candidate = fs::path(folders.substr(start, end - start)) / name;
        if (end > start && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

#endif

}  // namespace tolvane
