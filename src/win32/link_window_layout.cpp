#include "win32/link_window_layout.hpp"

#include "vocabulary/catalogue.hpp"

namespace sheetpush::win32 {

namespace {

using enum ControlId;
using enum ControlKind;

constexpr DWORD field = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD arabicField = field | ES_RIGHT;
constexpr DWORD boxedLabel = SS_CENTER | WS_BORDER;
constexpr DWORD pushButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD frameBox = BS_GROUPBOX | BS_RIGHT;

// Tab order is creation order, so the table runs by tab index.
constexpr std::array<ControlLayout, 18> layout{{
    {Frame1, frame, window, 0, 1440, 5775, 615, text::pathFrame, true, frameBox},
    {xlsPath, edit, Frame1, 120, 240, 4335, 285, nullptr, false, field},
    {Frame2, frame, window, 0, 0, 5775, 1455, text::sendFrame, true, frameBox},
    {UpDown2, upDown, Frame2, 2640, 240, 240, 285, nullptr, false, 0},
    {Command1, button, Frame2, 120, 1080, 5535, 255, text::sendButton, true, pushButton},
    {Text4, edit, Frame2, 120, 240, 1695, 285, nullptr, true, arabicField},
    {Text3, edit, Frame2, 2880, 240, 615, 285, nullptr, true, arabicField},
    {Text2, edit, Frame2, 4440, 240, 615, 285, nullptr, true, arabicField},
    {Text1, edit, Frame2, 120, 720, 4935, 285, nullptr, true, arabicField},
    {UpDown1, upDown, Frame2, 4200, 240, 240, 285, nullptr, false, 0},
    {Label4, label, Frame2, 1800, 240, 615, 285, text::sheetLabel, false, boxedLabel},
    {Label3, label, Frame2, 5040, 720, 615, 285, text::textLabel, false, boxedLabel},
    {Label2, label, Frame2, 3480, 240, 615, 285, text::rowLabel, false, boxedLabel},
    {Label1, label, Frame2, 5040, 240, 615, 285, text::columnLabel, false, boxedLabel},
    {Command2, button, Frame1, 4920, 240, 735, 285, text::runButton, true, pushButton},
    {Command3, button, Frame1, 4560, 240, 375, 285, nullptr, true, pushButton | BS_BITMAP},
    {Label5, label, window, 0, 2040, 5775, 255, text::creditLine, true, boxedLabel | SS_NOTIFY},
    {File1, listBox, window, 0, 1800, 1215, 480, nullptr, false, 0},
}};

const ControlLayout& find(ControlId id) {
    for (const auto& control : layout)
        if (control.id == id)
            return control;
    return layout.front();
}

} // namespace

const std::array<ControlLayout, 18>& linkWindowLayout() {
    return layout;
}

RECT pixelRect(const ControlLayout& control, int dpiX, int dpiY) {
    int left = control.left;
    int top = control.top;
    if (control.container != window) {
        left += find(control.container).left;
        top += find(control.container).top;
    }
    return {twipsToPixels(left, dpiX), twipsToPixels(top, dpiY),
            twipsToPixels(left + control.width, dpiX), twipsToPixels(top + control.height, dpiY)};
}

} // namespace sheetpush::win32
