#pragma once

#include <windows.h>

#include <array>

namespace sheetpush::win32 {

// The controls of the link window by role, as the window model names them, numbered as their
// command identifiers; window stands for the window's own client area as a container.
enum class ControlId : int {
    window = 0,
    pathFrame = 100,
    commandLine,
    sendFrame,
    rowSpinner,
    send,
    sheet,
    row,
    column,
    cellText,
    columnSpinner,
    sheetLabel,
    cellTextLabel,
    rowLabel,
    columnLabel,
    run,
    browse,
    credit,
    excelFinder,
};

enum class ControlKind { frame, label, edit, button, upDown, listBox };

// One control: where it stands in twips within its frame (or the window), and how it reads.
struct ControlLayout {
    ControlId id;
    ControlKind kind;
    // The frame that holds it; the window itself for a frame or a control placed on the window.
    ControlId container;
    int left;
    int top;
    int width;
    int height;
    // Fixed caption; the text fields take theirs from the link window.
    const char16_t* caption;
    bool rightToLeft;
    DWORD style;
};

inline constexpr int clientWidthTwips = 5790;
inline constexpr int clientHeightTwips = 2310;

// Every control in tab order, which is also the order of creation.
const std::array<ControlLayout, 18>& linkWindowLayout();

// The control's rectangle in pixels within the window's client area, at dpi dots per inch.
RECT pixelRect(const ControlLayout& control, int dpiX, int dpiY);

inline int twipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

} // namespace sheetpush::win32
