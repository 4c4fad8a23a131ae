#pragma once

#include "win32_base/raii.hpp"

#include <windows.h>

namespace sheetpush::win32 {

// A hidden message-only window whose messages go to procedure: it takes posted and sent messages
// and timers, and no broadcast or enumeration of top-level windows finds it. The first window of
// a class name registers the class.
inline UniqueWindow makeMessageWindow(const wchar_t* className, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return {};
    return UniqueWindow(CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr));
}

} // namespace sheetpush::win32
