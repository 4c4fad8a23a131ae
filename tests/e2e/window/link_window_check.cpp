// Drives the link window's real controls the way a person would: reads the layout, types into
// the fields, clicks the arrows and the buttons, presses Enter. The Excel partner, the launcher,
// the dialog and the message boxes are the unit tests' fakes, so every click's effect can be read
// back. With "--show file.bmp" it instead shows a window on screen and saves a picture of it.
#include "fakes/fake_platform.hpp"
#include "on_screen.hpp"
#include "support/checks.hpp"
#include "win32/link_window.hpp"
#include "win32/win32_platform.hpp"
#include "win32_base/wide_text.hpp"
#include "window/link_window.hpp"

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <string>
#include <vector>

using namespace sheetpush;
using namespace sheetpush::win32;
using namespace e2e;

namespace {

e2e::Checks checks;

void check(bool ok, const std::string& what) {
    checks.expect(ok, what);
}

// The real windows and controls with the fake platform behind the seams that would reach
// outside, so that every click's effect can be read back.
class RecordingPlatform : public Win32Platform {
public:
    std::unique_ptr<DdeConversation> newConversation() override { return fake.newConversation(); }
    MessageBoxes& messageBoxes() override { return fake.messageBoxes(); }
    FileDialog& fileDialog() override { return fake.fileDialog(); }
    Launcher& launcher() override { return fake.launcher(); }

    fakes::FakePlatform fake;
};

// The pokes the fake Excel took, as "item=text".
std::vector<std::u16string> pokes(const fakes::FakeExcel& excel) {
    std::vector<std::u16string> found;
    for (const auto& step : excel.steps)
        if (step.kind == fakes::DdeStep::poke)
            found.push_back(step.topicOrItem + u"=" + step.text);
    return found;
}

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

void checkWindow(const win32::LinkWindow& view) {
    HWND window = view.handle();
    check(window && !IsWindowVisible(window), "the window exists and is hidden");
    checks.equal(controlText(window), L"طباعة إلى الأكسل", "caption");
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    checks.equal(std::wstring(name), L"ExcelLink", "window class ExcelLink");
    LONG style = GetWindowLongW(window, GWL_STYLE);
    check(!(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) && (style & WS_CAPTION),
          "fixed border without maximise and minimise boxes");
    check(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_RTLREADING, "right-to-left reading");

    const ScreenDpi dpi = screenDpi();
    RECT client;
    GetClientRect(window, &client);
    check(client.right == pixels(5790, dpi.x) && client.bottom == pixels(2310, dpi.y),
          "client area of 5790 x 2310 twips");
    check(SendMessageW(window, WM_GETICON, ICON_BIG, 0) &&
              SendMessageW(window, WM_GETICON, ICON_SMALL, 0),
          "large and small icons");

    for (const auto& place : windowPlaces()) {
        HWND control = view.control(place.id);
        const std::string name = "control " + std::to_string(static_cast<int>(place.id));
        check(samePlace(placeInParent(control), expectedPixels(place, dpi)),
              name + " stands at its place");
        if (place.caption)
            check(controlText(control) == place.caption, name + " caption");
    }
    // A new window's fields, from the link window it shows.
    const std::vector<std::pair<ControlId, std::wstring>> fields = {
        {ControlId::cellText, L""},
        {ControlId::column, L"1"},
        {ControlId::row, L"1"},
        {ControlId::sheet, L"ورقة1"},
        {ControlId::commandLine, L"c:\\program files\\microsoft office\\office\\Excel.exe"},
    };
    for (const auto& [id, expected] : fields)
        check(controlText(view.control(id)) == expected,
              "field " + std::to_string(static_cast<int>(id)) + " starts with its text");
    check(!(GetWindowLongW(view.control(ControlId::excelFinder), GWL_STYLE) & WS_VISIBLE),
          "the file list is hidden");
    check(GetWindowLongW(view.control(ControlId::column), GWL_STYLE) & ES_RIGHT,
          "number fields are right-aligned");
    check(!(GetWindowLongW(view.control(ControlId::commandLine), GWL_EXSTYLE) & WS_EX_RTLREADING),
          "the command line reads left to right");
    check(SendMessageW(view.control(ControlId::browse), BM_GETIMAGE, IMAGE_BITMAP, 0),
          "the browse button shows its picture");
    int low = -1, high = -1;
    SendMessageW(view.control(ControlId::columnSpinner), UDM_GETRANGE32,
                 reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    check(low == 0 && high == 100000, "column spinner range");
    SendMessageW(view.control(ControlId::rowSpinner), UDM_GETRANGE32,
                 reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    check(low == 0 && high == 10000, "row spinner range");

    const std::vector<ControlId> tabOrder = {
        ControlId::commandLine, ControlId::send,     ControlId::sheet, ControlId::row,
        ControlId::column,      ControlId::cellText, ControlId::run,   ControlId::browse};
    HWND focus = view.control(tabOrder.front());
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        focus = GetNextDlgTabItem(window, focus, FALSE);
        check(focus == view.control(tabOrder[i]), "tab step " + std::to_string(i));
    }
}

// While hidden the window leaves its controls behind the fields that programs write; it shows
// every such write once it appears, however it is brought on screen.
void checkHiddenWrites(win32::LinkWindow& view, sheetpush::LinkWindow& model) {
    HWND window = view.handle();
    HWND cell = view.control(ControlId::cellText);
    HWND row = view.control(ControlId::row);
    HWND path = view.control(ControlId::commandLine);
    auto rowArrows = [&] {
        return SendMessageW(view.control(ControlId::rowSpinner), UDM_GETPOS32, 0, 0);
    };

    model.cellText.setText(u"كتب وهو مخفي");
    model.row.setText(u"6");
    check(controlText(cell).empty() && controlText(row) == L"1" && rowArrows() == 1,
          "a hidden window leaves its controls alone");
    ShowWindow(window, SW_SHOWNOACTIVATE);
    check(IsWindowVisible(window) && controlText(cell) == L"كتب وهو مخفي" &&
              controlText(row) == L"6" && rowArrows() == 6,
          "what was written while hidden shows once ShowWindow shows the window");
    check(model.cellText.text() == u"كتب وهو مخفي" && model.row.text() == u"6" &&
              model.rowSpinner.value() == 6,
          "showing the window writes nothing back");

    SendMessageW(window, WM_CLOSE, 0, 0);
    check(!IsWindowVisible(window), "a person's close hides the window");
    model.row.setText(u"8");
    model.commandLine.setText(u"d:\\books\\a.xls");
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    check(controlText(row) == L"8" && rowArrows() == 8 && controlText(path) == L"d:\\books\\a.xls",
          "what was written while hidden again shows once SetWindowPos shows the window");

    model.row.setText(u"1");
    model.cellText.setText(u"");
    check(controlText(row) == L"1" && rowArrows() == 1 && controlText(cell).empty(),
          "a window on screen shows each write at once");
}

void checkBehaviour(win32::LinkWindow& view, sheetpush::LinkWindow& model,
                    fakes::FakePlatform& fake) {
    HWND column = view.control(ControlId::column);
    replaceText(column, L"2.5");
    check(model.column.text() == u"2.5" && model.columnSpinner.value() == 2,
          "typed key by key, 2.5 stays as typed with the spinner at 2");
    check(SendMessageW(view.control(ControlId::columnSpinner), UDM_GETPOS32, 0, 0) == 2,
          "the arrows show the spinner's value");

    clickArrow(view.control(ControlId::columnSpinner), true);
    check(model.columnSpinner.value() == 3 && controlText(column) == L"3" &&
              model.column.text() == u"3",
          "an up arrow click steps from the spinner and the field follows");
    clickArrow(view.control(ControlId::rowSpinner), false);
    check(model.rowSpinner.value() == 0 && controlText(view.control(ControlId::row)) == L"0",
          "a down arrow click on the row");

    replaceText(column, L"x");
    check(controlText(column) == L"0" && model.column.text() == u"0" &&
              model.columnSpinner.value() == 0,
          "a letter becomes 0 in the field");

    model.row.setText(u"007");
    check(controlText(view.control(ControlId::row)) == L"7" &&
              SendMessageW(view.control(ControlId::rowSpinner), UDM_GETPOS32, 0, 0) == 7,
          "a program's write shows, normalised, in the field and the arrows");
    model.cellText.setText(u"مرحبا");
    check(controlText(view.control(ControlId::cellText)) == L"مرحبا", "the cell text shows");

    HWND cell = view.control(ControlId::cellText);
    SendMessageW(cell, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(cell, WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));
    SendMessageW(cell, WM_KEYDOWN, 'A', 1);
    checks.equal(pokes(fake.excel), std::vector<std::u16string>(2, u"R7C0=مرحبا"),
                 "Enter in the cell text sends each time, other keys do not");
    SendMessageW(view.control(ControlId::sheet), WM_KEYDOWN, VK_RETURN, 1);
    checks.equal(pokes(fake.excel).size(), 2u, "Enter in another field sends nothing");

    SendMessageW(view.control(ControlId::send), BM_CLICK, 0, 0);
    checks.equal(pokes(fake.excel).size(), 3u, "the send button sends");

    SendMessageW(view.control(ControlId::run), BM_CLICK, 0, 0);
    check(fake.launch.launches ==
              std::vector<fakes::FakeLauncher::Launch>{{model.commandLine.text(), 3}},
          "Run launches the command line maximized");

    SendMessageW(view.control(ControlId::browse), BM_CLICK, 0, 0);
    check(fake.dialog.requests.size() == 1 && model.commandLine.text().empty() &&
              controlText(view.control(ControlId::commandLine)).empty(),
          "a cancelled browse empties the command line");
    checks.equal(fake.messages.shown.size(), 0u, "no message was shown");
}

void checkSeparateWindows(const win32::LinkWindow& firstView, const sheetpush::LinkWindow& first,
                          WindowPlatform& platform) {
    sheetpush::LinkWindow second(platform);
    win32::LinkWindow secondView(second);
    check(secondView.handle() != firstView.handle(), "each link window has a window of its own");
    replaceText(secondView.control(ControlId::sheet), L"ورقة2");
    check(second.sheet.text() == u"ورقة2" && first.sheet.text() == u"ورقة1",
          "typing in one window leaves the other alone");
}

// Shows the window on screen and saves what it looks like, frame and caption included.
int showAndSave(const wchar_t* path) {
    Win32Platform platform;
    sheetpush::LinkWindow model(platform);
    win32::LinkWindow view(model);
    model.cellText.setText(u"مرحبا بالعالم");
    SetWindowPos(view.handle(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(view.handle(), SW_SHOWNORMAL);
    UpdateWindow(view.handle());
    for (DWORD until = GetTickCount() + 1500; GetTickCount() < until;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(20);
    }
    RECT frame;
    GetWindowRect(view.handle(), &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    UniqueScreenDc screen(GetDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueGdiObject picture(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    HGDIOBJ old = SelectObject(memory.get(), picture.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), frame.left, frame.top, SRCCOPY);
    SelectObject(memory.get(), old);
    const DWORD rowBytes = (width * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    file.bfSize = file.bfOffBits + rowBytes * height;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(BITMAPINFOHEADER));
    out.write(static_cast<const char*>(bits), rowBytes * height);
    return out ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"--show")
        return showAndSave(argv[2]);
    RecordingPlatform platform;
    sheetpush::LinkWindow model(platform);
    win32::LinkWindow view(model);
    checkWindow(view);
    checkHiddenWrites(view, model);
    checkBehaviour(view, model, platform.fake);
    checkSeparateWindows(view, model, platform);
    return checks.exitCode();
}
