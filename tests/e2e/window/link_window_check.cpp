// Drives the link window's real controls the way a person would: reads the layout, types into
// the fields, clicks the arrows and the buttons, presses Enter. The Excel partner, the launcher,
// the dialog and the message boxes are recorders, so every click's effect can be read back.
// Prints each failed check and exits with the number of failures. With "--show file.bmp" it
// instead shows a window on screen and saves a picture of it.
#include "platform/win32/link_window.hpp"
#include "platform/win32/wide_text.hpp"
#include "platform/win32/win32_platform.hpp"
#include "window/excel_link.hpp"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace sheetpush;
using namespace sheetpush::win32;

namespace {

int failures = 0;

struct MemoryDcTraits {
    using Value = HDC;
    static HDC none() { return nullptr; }
    static void close(HDC dc) { DeleteDC(dc); }
};
using MemoryDc = UniqueResource<MemoryDcTraits>;

void check(bool ok, const std::string& what) {
    if (!ok) {
        ++failures;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

struct Recorded {
    std::vector<std::u16string> pokes;
    std::vector<std::pair<std::u16string, std::uint32_t>> launches;
    std::vector<std::u16string> messages;
    int dialogs = 0;
};

class RecordingConversation : public DdeConversation {
public:
    explicit RecordingConversation(Recorded& recorded) : recorded_(recorded) {}
    Status connect(std::u16string_view, std::u16string_view, std::chrono::milliseconds) override {
        return std::nullopt;
    }
    Status poke(std::u16string_view item, std::u16string_view text,
                std::chrono::milliseconds) override {
        recorded_.pokes.push_back(std::u16string(item) + u"=" + std::u16string(text));
        return std::nullopt;
    }
    Result<std::u16string> request(std::u16string_view, std::chrono::milliseconds) override {
        return std::u16string();
    }

private:
    Recorded& recorded_;
};

// The real windows and controls with recorders behind the seams that would reach outside.
class RecordingPlatform : public Win32Platform, MessageBoxes, FileDialog, Launcher {
public:
    std::unique_ptr<DdeConversation> newConversation() override {
        return std::make_unique<RecordingConversation>(recorded);
    }
    MessageBoxes& messageBoxes() override { return *this; }
    FileDialog& fileDialog() override { return *this; }
    Launcher& launcher() override { return *this; }

    void show(std::u16string_view prompt, std::u16string_view, std::uint32_t) override {
        recorded.messages.emplace_back(prompt);
    }
    std::optional<std::u16string> showOpen(const OpenFileRequest&) override {
        ++recorded.dialogs;
        return std::nullopt;
    }
    Result<std::uint32_t> run(std::u16string_view line, std::uint32_t mode) override {
        recorded.launches.emplace_back(line, mode);
        return 33u;
    }

    Recorded recorded;
};

std::wstring text(HWND control) {
    wchar_t buffer[512] = {};
    GetWindowTextW(control, buffer, 512);
    return buffer;
}

RECT clientPlace(HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

int pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

// Types text into a control, key by key, as WM_CHAR messages reach it from the keyboard.
void type(HWND control, const std::wstring& keys) {
    for (wchar_t key : keys)
        SendMessageW(control, WM_CHAR, key, 1);
}

// Typing over the whole text replaces it with the first key.
void replaceText(HWND control, const std::wstring& keys) {
    SendMessageW(control, EM_SETSEL, 0, -1);
    type(control, keys);
}

void clickArrow(HWND upDown, bool up) {
    RECT area;
    GetClientRect(upDown, &area);
    LPARAM where = MAKELPARAM(area.right / 2, up ? area.bottom / 4 : area.bottom * 3 / 4);
    SendMessageW(upDown, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(upDown, WM_LBUTTONUP, 0, where);
}

void checkWindow(const LinkWindow& view) {
    HWND window = view.handle();
    check(window && !IsWindowVisible(window), "the window exists and is hidden");
    check(text(window) == L"طباعة إلى الأكسل", "caption");
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    check(std::wstring(name) == L"ExcelLink", "window class ExcelLink");
    LONG style = GetWindowLongW(window, GWL_STYLE);
    check(!(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) && (style & WS_CAPTION),
          "fixed border without maximise and minimise boxes");
    check(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_RTLREADING, "right-to-left reading");

    UniqueScreenDc screen(GetDC(nullptr));
    const int dpiX = GetDeviceCaps(screen.get(), LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
    RECT client;
    GetClientRect(window, &client);
    check(client.right == pixels(5790, dpiX) && client.bottom == pixels(2310, dpiY),
          "client area of 5790 x 2310 twips");
    check(SendMessageW(window, WM_GETICON, ICON_BIG, 0) &&
              SendMessageW(window, WM_GETICON, ICON_SMALL, 0),
          "large and small icons");

    // Left and top within the client area, frames' offsets added; width, height; caption.
    struct Place {
        ControlId id;
        int left, top, width, height;
        const wchar_t* caption;
    };
    const std::vector<Place> places = {
        {ControlId::Frame2, 0, 0, 5775, 1455, L"الإرسال"},
        {ControlId::Frame1, 0, 1440, 5775, 615, L"المسار"},
        {ControlId::Label5, 0, 2040, 5775, 255, nullptr},
        {ControlId::Label1, 5040, 240, 615, 285, L"العمود"},
        {ControlId::Text2, 4440, 240, 615, 285, L"1"},
        {ControlId::UpDown1, 4200, 240, 240, 285, nullptr},
        {ControlId::Label2, 3480, 240, 615, 285, L"الصف"},
        {ControlId::Text3, 2880, 240, 615, 285, L"1"},
        {ControlId::UpDown2, 2640, 240, 240, 285, nullptr},
        {ControlId::Label4, 1800, 240, 615, 285, L"الورقة"},
        {ControlId::Text4, 120, 240, 1695, 285, L"ورقة1"},
        {ControlId::Label3, 5040, 720, 615, 285, L"النص"},
        {ControlId::Text1, 120, 720, 4935, 285, L""},
        {ControlId::Command1, 120, 1080, 5535, 255, L"إرسال إلى الأكسل"},
        {ControlId::Command2, 4920, 1680, 735, 285, L"تشغيل"},
        {ControlId::Command3, 4560, 1680, 375, 285, L""},
        {ControlId::xlsPath, 120, 1680, 4335, 285,
         L"c:\\program files\\microsoft office\\office\\Excel.exe"},
    };
    for (const auto& place : places) {
        HWND control = view.control(place.id);
        RECT at = clientPlace(control);
        const std::string name = "control " + std::to_string(static_cast<int>(place.id));
        check(at.left == pixels(place.left, dpiX) && at.top == pixels(place.top, dpiY) &&
                  at.right == pixels(place.left + place.width, dpiX) &&
                  at.bottom == pixels(place.top + place.height, dpiY),
              name + " stands at its place");
        if (place.caption)
            check(text(control) == place.caption, name + " caption");
    }
    check(!(GetWindowLongW(view.control(ControlId::File1), GWL_STYLE) & WS_VISIBLE),
          "the file list is hidden");
    check(GetWindowLongW(view.control(ControlId::Text2), GWL_STYLE) & ES_RIGHT,
          "number fields are right-aligned");
    check(!(GetWindowLongW(view.control(ControlId::xlsPath), GWL_EXSTYLE) & WS_EX_RTLREADING),
          "the command line reads left to right");
    check(SendMessageW(view.control(ControlId::Command3), BM_GETIMAGE, IMAGE_BITMAP, 0),
          "the browse button shows its picture");
    int low = -1, high = -1;
    SendMessageW(view.control(ControlId::UpDown1), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    check(low == 0 && high == 100000, "column spinner range");
    SendMessageW(view.control(ControlId::UpDown2), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    check(low == 0 && high == 10000, "row spinner range");

    const std::vector<ControlId> tabOrder = {
        ControlId::xlsPath, ControlId::Command1, ControlId::Text4,    ControlId::Text3,
        ControlId::Text2,   ControlId::Text1,    ControlId::Command2, ControlId::Command3};
    HWND focus = view.control(tabOrder.front());
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        focus = GetNextDlgTabItem(window, focus, FALSE);
        check(focus == view.control(tabOrder[i]), "tab step " + std::to_string(i));
    }
}

void checkBehaviour(LinkWindow& view, ExcelLink& model, Recorded& recorded) {
    HWND column = view.control(ControlId::Text2);
    replaceText(column, L"2.5");
    check(model.Text2.text() == u"2.5" && model.UpDown1.value() == 2,
          "typed key by key, 2.5 stays as typed with the spinner at 2");
    check(SendMessageW(view.control(ControlId::UpDown1), UDM_GETPOS32, 0, 0) == 2,
          "the arrows show the spinner's value");

    clickArrow(view.control(ControlId::UpDown1), true);
    check(model.UpDown1.value() == 3 && text(column) == L"3" && model.Text2.text() == u"3",
          "an up arrow click steps from the spinner and the field follows");
    clickArrow(view.control(ControlId::UpDown2), false);
    check(model.UpDown2.value() == 0 && text(view.control(ControlId::Text3)) == L"0",
          "a down arrow click on the row");

    replaceText(column, L"x");
    check(text(column) == L"0" && model.Text2.text() == u"0" && model.UpDown1.value() == 0,
          "a letter becomes 0 in the field");

    model.Text3.setText(u"007");
    check(text(view.control(ControlId::Text3)) == L"7" &&
              SendMessageW(view.control(ControlId::UpDown2), UDM_GETPOS32, 0, 0) == 7,
          "a program's write shows, normalised, in the field and the arrows");
    model.Text1.setText(u"مرحبا");
    check(text(view.control(ControlId::Text1)) == L"مرحبا", "the cell text shows");

    HWND cell = view.control(ControlId::Text1);
    SendMessageW(cell, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(cell, WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));
    SendMessageW(cell, WM_KEYDOWN, 'A', 1);
    check(recorded.pokes == std::vector<std::u16string>(2, u"R7C0=مرحبا"),
          "Enter in the cell text sends each time, other keys do not");
    SendMessageW(view.control(ControlId::Text4), WM_KEYDOWN, VK_RETURN, 1);
    check(recorded.pokes.size() == 2, "Enter in another field sends nothing");

    SendMessageW(view.control(ControlId::Command1), BM_CLICK, 0, 0);
    check(recorded.pokes.size() == 3, "the send button sends");

    SendMessageW(view.control(ControlId::Command2), BM_CLICK, 0, 0);
    check(recorded.launches.size() == 1 &&
              recorded.launches.back() ==
                  std::pair<std::u16string, std::uint32_t>(model.xlsPath.text(), 3),
          "Run launches the command line maximized");

    SendMessageW(view.control(ControlId::Command3), BM_CLICK, 0, 0);
    check(recorded.dialogs == 1 && model.xlsPath.text().empty() &&
              text(view.control(ControlId::xlsPath)).empty(),
          "a cancelled browse empties the command line");
    check(recorded.messages.empty(), "no message was shown");
}

void checkSeparateWindows(const LinkWindow& firstView, const ExcelLink& first, Platform& platform) {
    ExcelLink second(platform);
    LinkWindow secondView(second);
    check(secondView.handle() != firstView.handle(), "each link window has a window of its own");
    replaceText(secondView.control(ControlId::Text4), L"ورقة2");
    check(second.Text4.text() == u"ورقة2" && first.Text4.text() == u"ورقة1",
          "typing in one window leaves the other alone");
}

// Shows the window on screen and saves what it looks like, frame and caption included.
int showAndSave(const wchar_t* path) {
    Win32Platform platform;
    ExcelLink model(platform);
    LinkWindow view(model);
    model.Text1.setText(u"مرحبا بالعالم");
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
    MemoryDc memory(CreateCompatibleDC(screen.get()));
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
    ExcelLink model(platform);
    LinkWindow view(model);
    checkWindow(view);
    checkBehaviour(view, model, platform.recorded);
    checkSeparateWindows(view, model, platform);
    std::printf("%d failed\n", failures);
    return failures;
}
