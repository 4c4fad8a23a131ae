#include "local_server/server_lifetime.hpp"

#include "lifetime/server_life.hpp"
#include "win32_base/boundary.hpp"
#include "win32_base/message_window.hpp"

#include <algorithm>

namespace sheetpush::com {

namespace {

constexpr UINT_PTR alarmTimer = 1;
constexpr wchar_t endWindowClass[] = L"SheetpushServerEnd";

// The alarm is a timer of a window rather than of the thread, since a modal loop, such as a
// message box's, drops messages that name no window.
class ComServingProcess final : public ServingProcess {
public:
    ComServingProcess(ClassObjectRegistration& registration, HWND alarmWindow)
        : registration_(registration), alarmWindow_(alarmWindow) {}

    bool publish() override {
        published_ = registration_.publish();
        return SUCCEEDED(published_);
    }
    void withdraw() override { registration_.withdraw(); }
    void setAlarm(std::chrono::milliseconds after) override {
        SetTimer(alarmWindow_, alarmTimer,
                 std::max<UINT>(USER_TIMER_MINIMUM, static_cast<UINT>(after.count())), nullptr);
    }
    void cancelAlarm() override { KillTimer(alarmWindow_, alarmTimer); }
    void end() override { PostQuitMessage(0); }

    HRESULT published() const { return published_; }

private:
    ClassObjectRegistration& registration_;
    HWND alarmWindow_;
    HRESULT published_ = S_OK;
};

// The serving thread's, while it serves.
ServerLife* life = nullptr;

LRESULT CALLBACK endProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return win32::guardedProcedure([&] {
        if (message != WM_TIMER || wParam != alarmTimer)
            return DefWindowProcW(window, message, wParam, lParam);
        KillTimer(window, alarmTimer);
        if (life)
            life->alarm();
        return LRESULT{0};
    });
}

} // namespace

ProcessReference::ProcessReference() {
    if (life)
        life->objectMade();
}

ProcessReference::~ProcessReference() {
    if (life)
        life->objectGone();
}

void lockServer(bool lock) {
    if (!life)
        return;
    if (lock)
        life->lock();
    else
        life->unlock();
}

HRESULT serveUntilReleased(ClassObjectRegistration& registration, bool (*claim)(MSG& message)) {
    win32::UniqueWindow window = win32::makeMessageWindow(endWindowClass, endProcedure);
    if (!window)
        return HRESULT_FROM_WIN32(GetLastError());
    ComServingProcess process(registration, window.get());
    ServerLife serverLife(process);
    if (!serverLife.start())
        return process.published();
    life = &serverLife;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (claim && claim(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    life = nullptr;
    return S_OK;
}

} // namespace sheetpush::com
