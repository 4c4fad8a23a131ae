#include "server/com/server_lifetime.hpp"

#include <objbase.h>
#include <windows.h>

#include <atomic>

namespace sheetpush::com {

namespace {

std::atomic<DWORD> servingThread{0};

void release() {
    // CoReleaseServerProcess suspends the class objects when it reaches zero, so no activation
    // can slip in between the count and the end of the loop.
    if (CoReleaseServerProcess() == 0)
        PostThreadMessageW(servingThread, WM_QUIT, 0, 0);
}

} // namespace

ProcessReference::ProcessReference() {
    CoAddRefServerProcess();
}

ProcessReference::~ProcessReference() {
    release();
}

void lockServer(bool lock) {
    if (lock)
        CoAddRefServerProcess();
    else
        release();
}

void serveUntilReleased(bool (*claim)(MSG& message)) {
    servingThread = GetCurrentThreadId();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (claim && claim(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace sheetpush::com
