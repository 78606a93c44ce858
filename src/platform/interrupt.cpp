#include "platform/interrupt.h"

#include <atomic>
#include <csignal>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane {
namespace {

std::atomic<int> interruptSignal{0};

#ifdef _WIN32
BOOL WINAPI OnConsoleEvent(DWORD event) {
    interruptSignal = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? SIGINT : SIGTERM;
    return TRUE;
}
#else
void OnSignal(int signal) {
    interruptSignal = signal;
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
    action.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &action, nullptr);
#endif
}

bool Interrupted() {
    return interruptSignal != 0;
}

int InterruptSignal() {
    return interruptSignal;
}

}  // namespace tolvane
