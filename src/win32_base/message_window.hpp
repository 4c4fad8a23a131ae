#pragma once

#include "win32_base/boundary.hpp"
#include "win32_base/raii.hpp"

#include <windows.h>

namespace sheetpush::win32 {

// The procedure of a window class whose every window belongs to an object of Owner, passed as
// CreateWindowExW's last argument. The object is kept with the window from WM_NCCREATE on and
// takes each message in onMessage, guarded, while it holds the window (its handle() is the
// window): until CreateWindowExW has returned, and once the owner has let go of the window, the
// system's handling serves. Owner makes this its friend.
template <class Owner> struct WindowProcedure {
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return guardedProcedure([&] {
            if (message == WM_NCCREATE)
                SetWindowLongPtrW(window, GWLP_USERDATA,
                                  reinterpret_cast<LONG_PTR>(
                                      reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (!owner || owner->handle() != window)
                return DefWindowProcW(window, message, wParam, lParam);
            return owner->onMessage(message, wParam, lParam);
        });
    }
};

// A hidden message-only window of owner's: it takes posted and sent messages and timers, and no
// broadcast or enumeration of top-level windows finds it. The first window of a class name
// registers the class.
template <class Owner> UniqueWindow makeMessageWindow(const wchar_t* className, Owner& owner) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProcedure<Owner>::procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return {};
    return UniqueWindow(CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, &owner));
}

} // namespace sheetpush::win32
