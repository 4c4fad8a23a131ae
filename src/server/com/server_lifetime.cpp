#include "server/com/server_lifetime.hpp"

#include "platform/win32/message_window.hpp"

#include <atomic>

namespace sheetpush::com {

namespace {

// How long a server whose last reference went still serves the clients that were on their way.
constexpr UINT graceMs = 500;
constexpr UINT_PTR graceTimer = 1;
constexpr wchar_t endWindowClass[] = L"SheetpushServerEnd";

std::atomic<long> references{0};
// The serving thread's, while it serves: the class object and the window whose timer ends the
// grace. The timer goes to a window rather than to the thread, since a modal loop, such as a
// message box's, drops messages that name no window.
ClassObjectRegistration* serving = nullptr;
HWND endWindow = nullptr;

void addReference() {
    ++references;
}

void dropReference() {
    if (--references != 0 || !serving)
        return;
    serving->withdraw();
    SetTimer(endWindow, graceTimer, graceMs, nullptr);
}

LRESULT CALLBACK endProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER || wParam != graceTimer)
        return DefWindowProcW(window, message, wParam, lParam);
    KillTimer(window, graceTimer);
    // Should the class object not go back up, the clients that hold objects are still served,
    // and the server ends when they let go.
    if (references != 0)
        serving->publish();
    else
        PostQuitMessage(0);
    return 0;
}

} // namespace

ProcessReference::ProcessReference() {
    addReference();
}

ProcessReference::~ProcessReference() {
    dropReference();
}

void lockServer(bool lock) {
    if (lock)
        addReference();
    else
        dropReference();
}

HRESULT serveUntilReleased(ClassObjectRegistration& registration, bool (*claim)(MSG& message)) {
    win32::UniqueWindow window = win32::makeMessageWindow(endWindowClass, endProcedure);
    if (!window)
        return HRESULT_FROM_WIN32(GetLastError());
    if (HRESULT published = registration.publish(); FAILED(published))
        return published;
    serving = &registration;
    endWindow = window.get();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (claim && claim(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    serving = nullptr;
    endWindow = nullptr;
    return S_OK;
}

} // namespace sheetpush::com
