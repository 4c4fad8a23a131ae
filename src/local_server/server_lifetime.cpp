#include "local_server/server_lifetime.hpp"

#include "lifetime/server_life.hpp"
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
    explicit ComServingProcess(ClassObjectRegistration& registration)
        : registration_(registration),
          alarmWindow_(win32::makeMessageWindow(endWindowClass, *this)) {}

    HWND handle() const { return alarmWindow_.get(); }
    ServerLife& life() { return life_; }

    bool publish() override {
        published_ = registration_.publish();
        return SUCCEEDED(published_);
    }
    void withdraw() override { registration_.withdraw(); }
    void setAlarm(std::chrono::milliseconds after) override {
        SetTimer(handle(), alarmTimer,
                 std::max<UINT>(USER_TIMER_MINIMUM, static_cast<UINT>(after.count())), nullptr);
    }
    void cancelAlarm() override { KillTimer(handle(), alarmTimer); }
    void end() override { PostQuitMessage(0); }

    HRESULT published() const { return published_; }

private:
    friend struct win32::WindowProcedure<ComServingProcess>;

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_TIMER || wParam != alarmTimer)
            return DefWindowProcW(handle(), message, wParam, lParam);
        KillTimer(handle(), alarmTimer);
        life_.alarm();
        return 0;
    }

    ClassObjectRegistration& registration_;
    HRESULT published_ = S_OK;
    ServerLife life_{*this};
    win32::UniqueWindow alarmWindow_;
};

// The serving thread's, while it serves.
ServerLife* life = nullptr;

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
    ComServingProcess process(registration);
    if (!process.handle())
        return HRESULT_FROM_WIN32(GetLastError());
    if (!process.life().start())
        return process.published();
    life = &process.life();
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
