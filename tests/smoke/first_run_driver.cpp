// Plays a player's first run of the real tolvane.exe under Wine, through the keyboard: answers
// the first-run message, fills the options dialog with the paths given, presses OK, and closes
// the main window. Exits 0 when the program ended cleanly by itself.
//   first_run_driver.exe TOLVANE_EXE GAME_EXE SHIPSET_DIR
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND WaitForWindow(const wchar_t* title) {
    for (int wait = 0; wait < 600; ++wait) {
        if (HWND window = FindWindowW(nullptr, title); window && IsWindowVisible(window))
            return window;
        Sleep(100);
    }
    std::fwprintf(stderr, L"no window titled %ls appeared\n", title);
    std::exit(2);
}

void Key(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    Sleep(100);
}

void Type(HWND window, const std::wstring& text) {
    for (wchar_t c : text)
        PostMessageW(window, WM_CHAR, c, 1);
    Sleep(200);
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count != 4) {
        std::fprintf(stderr, "usage: first_run_driver TOLVANE_EXE GAME_EXE SHIPSET_DIR\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + std::wstring(arguments[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(arguments[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "could not start tolvane.exe\n");
        return 2;
    }

    Key(WaitForWindow(L"Uh-oh"), VK_RETURN);  // the first-run message
    HWND options = WaitForWindow(L"Options");
    Sleep(500);
    Type(options, arguments[2]);  // the executable's box has the focus first
    for (int i = 0; i < 3; ++i)
        Key(options, VK_TAB);  // past "...", the check box, to the ship set directory
    Type(options, arguments[3]);
    for (int i = 0; i < 2; ++i)
        Key(options, VK_TAB);  // past "...", to OK
    Key(options, VK_SPACE);
    HWND main = WaitForWindow(L"Tolvane");
    Sleep(500);
    PostMessageW(main, WM_CLOSE, 0, 0);

    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "tolvane.exe did not end when its window closed\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    std::printf("tolvane.exe ended with code %lu\n", exitCode);
    return exitCode == 0 ? 0 : 1;
}
