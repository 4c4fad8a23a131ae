#pragma once

// What a person sees of a link window on screen and does to it, whether the window runs in the
// checking program or in a server next to it. Places are in twips within the window's client
// area (a frame's own offset added); the text fields' captions depend on what was last written
// into them, so they have none here. Every message used here carries no pointer, or one that the
// system copies between processes.

#include "win32/link_window_layout.hpp"
#include "win32_base/raii.hpp"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

using sheetpush::win32::ControlId;

struct Place {
    ControlId id;
    int left, top, width, height;
    const wchar_t* caption;
};

inline const std::vector<Place>& windowPlaces() {
    static const std::vector<Place> places = {
        {ControlId::sendFrame, 0, 0, 5775, 1455, L"الإرسال"},
        {ControlId::pathFrame, 0, 1440, 5775, 615, L"المسار"},
        {ControlId::credit, 0, 2040, 5775, 255, nullptr},
        {ControlId::columnLabel, 5040, 240, 615, 285, L"العمود"},
        {ControlId::column, 4440, 240, 615, 285, nullptr},
        {ControlId::columnSpinner, 4200, 240, 240, 285, nullptr},
        {ControlId::rowLabel, 3480, 240, 615, 285, L"الصف"},
        {ControlId::row, 2880, 240, 615, 285, nullptr},
        {ControlId::rowSpinner, 2640, 240, 240, 285, nullptr},
        {ControlId::sheetLabel, 1800, 240, 615, 285, L"الورقة"},
        {ControlId::sheet, 120, 240, 1695, 285, nullptr},
        {ControlId::cellTextLabel, 5040, 720, 615, 285, L"النص"},
        {ControlId::cellText, 120, 720, 4935, 285, nullptr},
        {ControlId::send, 120, 1080, 5535, 255, L"إرسال إلى الأكسل"},
        {ControlId::run, 4920, 1680, 735, 285, L"تشغيل"},
        {ControlId::browse, 4560, 1680, 375, 285, L""},
        {ControlId::commandLine, 120, 1680, 4335, 285, nullptr},
    };
    return places;
}

struct ScreenDpi {
    int x;
    int y;
};

inline ScreenDpi screenDpi() {
    sheetpush::win32::UniqueScreenDc screen(GetDC(nullptr));
    return {GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

inline RECT expectedPixels(const Place& place, ScreenDpi dpi) {
    return {MulDiv(place.left, dpi.x, 1440), MulDiv(place.top, dpi.y, 1440),
            MulDiv(place.left + place.width, dpi.x, 1440),
            MulDiv(place.top + place.height, dpi.y, 1440)};
}

// Where the control stands within its parent's client area, in pixels.
inline RECT placeInParent(HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// The text of a control of any process: WM_GETTEXT reaches the control itself, where another
// process's GetWindowText would read only the caption the system keeps.
inline std::wstring controlText(HWND control) {
    wchar_t buffer[1024] = {};
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

inline bool samePlace(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// Types text into a control, key by key, as WM_CHAR messages reach it from the keyboard.
inline void type(HWND control, const std::wstring& keys) {
    for (wchar_t key : keys)
        SendMessageW(control, WM_CHAR, key, 1);
}

// Typing over the whole text replaces it with the first key.
inline void replaceText(HWND control, const std::wstring& keys) {
    SendMessageW(control, EM_SETSEL, 0, -1);
    type(control, keys);
}

// Where a click on the up or the down arrow of an up-down control lands.
inline LPARAM arrowPoint(HWND upDown, bool up) {
    RECT area;
    GetClientRect(upDown, &area);
    return MAKELPARAM(area.right / 2, up ? area.bottom / 4 : area.bottom * 3 / 4);
}

// A click on an arrow of a spinner of this thread.
inline void clickArrow(HWND upDown, bool up) {
    LPARAM where = arrowPoint(upDown, up);
    SendMessageW(upDown, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(upDown, WM_LBUTTONUP, 0, where);
}

// A click on an arrow of another process's spinner. Both halves are posted at once: sent one
// after the other, each waiting for the other process, a loaded machine could keep the button
// down past the spinner's auto-repeat delay, and the arrow would step twice.
inline void postArrowClick(HWND upDown, bool up) {
    LPARAM where = arrowPoint(upDown, up);
    PostMessageW(upDown, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(upDown, WM_LBUTTONUP, 0, where);
}

} // namespace e2e
