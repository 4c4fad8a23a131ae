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
    {pathFrame, frame, window, 0, 1440, 5775, 615, text::pathFrame, true, frameBox},
    {commandLine, edit, pathFrame, 120, 240, 4335, 285, nullptr, false, field},
    {sendFrame, frame, window, 0, 0, 5775, 1455, text::sendFrame, true, frameBox},
    {rowSpinner, upDown, sendFrame, 2640, 240, 240, 285, nullptr, false, 0},
    {send, button, sendFrame, 120, 1080, 5535, 255, text::sendButton, true, pushButton},
    {sheet, edit, sendFrame, 120, 240, 1695, 285, nullptr, true, arabicField},
    {row, edit, sendFrame, 2880, 240, 615, 285, nullptr, true, arabicField},
    {column, edit, sendFrame, 4440, 240, 615, 285, nullptr, true, arabicField},
    {cellText, edit, sendFrame, 120, 720, 4935, 285, nullptr, true, arabicField},
    {columnSpinner, upDown, sendFrame, 4200, 240, 240, 285, nullptr, false, 0},
    {sheetLabel, label, sendFrame, 1800, 240, 615, 285, text::sheetLabel, false, boxedLabel},
    {cellTextLabel, label, sendFrame, 5040, 720, 615, 285, text::textLabel, false, boxedLabel},
    {rowLabel, label, sendFrame, 3480, 240, 615, 285, text::rowLabel, false, boxedLabel},
    {columnLabel, label, sendFrame, 5040, 240, 615, 285, text::columnLabel, false, boxedLabel},
    {run, button, pathFrame, 4920, 240, 735, 285, text::runButton, true, pushButton},
    {browse, button, pathFrame, 4560, 240, 375, 285, nullptr, true, pushButton | BS_BITMAP},
    {credit, label, window, 0, 2040, 5775, 255, text::creditLine, true, boxedLabel | SS_NOTIFY},
    {excelFinder, listBox, window, 0, 1800, 1215, 480, nullptr, false, 0},
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
