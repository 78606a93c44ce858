#include "platform/interrupt.h"

#include <atomic>
#include <csignal>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane {
namespace {

std::atomic<bool> interrupted{false};

#ifdef _WIN32
BOOL WINAPI OnConsoleEvent(DWORD) {
    interrupted = true;
    return TRUE;
}
#else
void OnSignal(int) {
    interrupted = true;
}
#endif

}  // namespace

void CatchInterrupts() {
#ifdef _WIN32
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
#endif
}

bool Interrupted() {
    return interrupted;
}

}  // namespace tolvane
