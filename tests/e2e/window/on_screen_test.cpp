// A person at the link window of a running server. One call from this program, as a COM client,
// makes the server create its thread's hidden link window; the program then finds that window by
// its caption, brings it on screen and works it the way a person does: reads the captions and
// places, types into the fields, presses Tab and Enter, clicks an arrow, cancels the browse
// dialog and clicks Run; and, while a call waits for a slow Excel, sends the window what a
// stray program might.
//
//   LinkWindowOnScreen.exe STANDIN_LOG WORK_FOLDER
//       needs the server registered, the Excel stand-in serving "ورقة1" and a slow one serving
//       "Slow", both logging to STANDIN_LOG (Windows paths)
//   LinkWindowOnScreen.exe --launched RECORD
//       what the Run button starts here: writes the show-window mode it was given into RECORD

#include "local_server/com_ptr.hpp"
#include "on_screen.hpp"
#include "support/checks.hpp"
#include "support/client_thread.hpp"
#include "support/late_bound.hpp"
#include "support/standin_log.hpp"

#include <objbase.h>
#include <windows.h>

#include <commctrl.h>
#include <dde.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace e2e;
using sheetpush::com::ComPtr;

namespace {

constexpr wchar_t windowCaption[] = L"طباعة إلى الأكسل";
constexpr wchar_t browseTitle[] = L"تحديد مصنف أكسل";
constexpr wchar_t messageTitle[] = L"الطباعة إلى أكسل";
constexpr wchar_t defaultCommandLine[] = L"c:\\program files\\microsoft office\\office\\Excel.exe";

e2e::Checks checks;

void check(bool ok, const char* what) {
    checks.expect(ok, what);
}

// Waits, at most ten seconds, for what another process does in its own time.
bool waitFor(const std::function<bool()>& condition) {
    for (DWORD until = GetTickCount() + 10000; GetTickCount() < until; Sleep(20))
        if (condition())
            return true;
    return condition();
}

// The stand-in's accepted pokes as "topic item text".
std::vector<std::wstring> pokes(const std::wstring& standinLog) {
    std::vector<std::wstring> found;
    for (const auto& event : standinEvents(standinLog))
        if (event.kind == L"poke" && event.outcome == L"ok")
            found.push_back(event.topic + L" " + event.item + L" " + event.text);
    return found;
}

// One late-bound call of Sheetpush, as a script makes it: the name looked up first.
bool callSheetpush(IDispatch& object, const wchar_t* txt, LONG Col, LONG Row,
                   const wchar_t* Sheet) {
    LPOLESTR name = const_cast<LPOLESTR>(L"Sheetpush");
    DISPID id = 0;
    return SUCCEEDED(object.GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)) &&
           e2e::callSheetpush(object, id, txt, Col, Row, Sheet);
}

// A new object of the server, made as a script makes it: by its ProgID.
ComPtr<IDispatch> newObject() {
    CLSID classId{};
    ComPtr<IDispatch> object;
    if (SUCCEEDED(CLSIDFromProgID(L"Sheetpush.ExcelLinke", &classId)))
        CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                         reinterpret_cast<void**>(object.put()));
    return object;
}

// The DDE conversation windows of a process: message-only windows of the server's class.
std::vector<HWND> conversationWindows(DWORD process) {
    std::vector<HWND> found;
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, L"SheetpushDdeClient", nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, L"SheetpushDdeClient", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process)
            found.push_back(window);
    }
    return found;
}

// A top-level window of the given process with exactly this caption.
HWND findOwnedBy(DWORD process, const wchar_t* caption) {
    struct Search {
        DWORD process;
        const wchar_t* caption;
        HWND found;
    } search{process, caption, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& search = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t caption[256] = {};
            GetWindowTextW(window, caption, 256);
            if (owner != search.process || std::wstring(caption) != search.caption)
                return TRUE;
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What the window shows a person must be what the server's call left in its fields.
class OnScreen {
public:
    OnScreen(HWND window, std::wstring standinLog)
        : window_(window), thread_(GetWindowThreadProcessId(window, &process_)),
          standinLog_(std::move(standinLog)) {}

    HWND control(ControlId id) const { return GetDlgItem(window_, static_cast<int>(id)); }
    LRESULT arrows(ControlId id) const { return SendMessageW(control(id), UDM_GETPOS32, 0, 0); }
    std::wstring field(ControlId id) const { return controlText(control(id)); }

    HWND focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
    }

    void checkShown() {
        ShowWindow(window_, SW_SHOWNORMAL);
        check(IsWindowVisible(window_), "the window comes on screen");
        check(field(ControlId::cellText) == L"أول نص" && field(ControlId::column) == L"2" &&
                  field(ControlId::row) == L"3" && field(ControlId::sheet) == L"ورقة1" &&
                  field(ControlId::commandLine) == defaultCommandLine,
              "the fields show what the client's call wrote while the window was hidden");
        check(arrows(ControlId::columnSpinner) == 2 && arrows(ControlId::rowSpinner) == 3,
              "the arrows stand at the spinners' values");
    }

    void checkLayout() {
        const ScreenDpi dpi = screenDpi();
        RECT client;
        GetClientRect(window_, &client);
        check(client.right == MulDiv(5790, dpi.x, 1440) &&
                  client.bottom == MulDiv(2310, dpi.y, 1440),
              "client area of 5790 x 2310 twips");
        bool placed = true;
        bool captioned = true;
        for (const auto& place : windowPlaces()) {
            HWND shown = control(place.id);
            if (!samePlace(placeInParent(shown), expectedPixels(place, dpi))) {
                std::printf("     control %d is out of place\n", static_cast<int>(place.id));
                placed = false;
            }
            if (place.caption && controlText(shown) != place.caption) {
                std::printf("     control %d has another caption\n", static_cast<int>(place.id));
                captioned = false;
            }
        }
        check(placed, "every control stands at its place");
        check(captioned, "every control has its caption");
    }

    void checkTyping() {
        replaceText(control(ControlId::cellText), L"نص مكتوب");
        check(field(ControlId::cellText) == L"نص مكتوب", "typing replaces the cell text");
        replaceText(control(ControlId::column), L"4");
        replaceText(control(ControlId::row), L"05");
        check(field(ControlId::column) == L"4" && arrows(ControlId::columnSpinner) == 4,
              "a typed column moves the column spinner");
        check(field(ControlId::row) == L"5" && arrows(ControlId::rowSpinner) == 5,
              "a typed row 05 becomes 5 in the field and the spinner");
    }

    // Tab reaches the window through the server's message loop, as keys from the keyboard do.
    void checkTab() {
        HWND sheet = control(ControlId::sheet);
        SendMessageW(sheet, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(sheet, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        check(focus() == sheet, "a click gives the sheet field the focus");
        PostMessageW(sheet, WM_KEYDOWN, VK_TAB, 0x000F0001);
        check(waitFor([&] { return focus() == control(ControlId::row); }),
              "Tab moves the focus from the sheet to the row");
    }

    void checkEnter() {
        PostMessageW(control(ControlId::cellText), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        check(waitFor([&] {
                  return pokes(standinLog_) ==
                         std::vector<std::wstring>{L"ورقة1 R3C2 أول نص", L"ورقة1 R5C4 نص مكتوب"};
              }),
              "Enter in the cell text pokes the typed text into row 5, column 4");
    }

    void checkArrows() {
        postArrowClick(control(ControlId::columnSpinner), true);
        check(waitFor([&] {
                  return field(ControlId::column) == L"5" && arrows(ControlId::columnSpinner) == 5;
              }),
              "an up arrow click steps the column and the field follows");
        postArrowClick(control(ControlId::rowSpinner), false);
        check(waitFor([&] {
                  return field(ControlId::row) == L"4" && arrows(ControlId::rowSpinner) == 4;
              }),
              "a down arrow click steps the row and the field follows");
    }

    // The button is posted its click: the dialog holds the server until it is cancelled.
    void checkBrowseCancelled() {
        PostMessageW(control(ControlId::browse), BM_CLICK, 0, 0);
        HWND dialog = nullptr;
        check(waitFor([&] { return (dialog = findOwnedBy(process_, browseTitle)) != nullptr; }),
              "the browse button opens the dialog with its title");
        if (!dialog)
            return;
        PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        check(waitFor([&] { return !IsWindow(dialog) && field(ControlId::commandLine).empty(); }),
              "cancelling the dialog empties the command line");
    }

    // Run hands the focus to the window itself, away from the control the person last used.
    void checkRun(const std::wstring& workFolder) {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const std::wstring record = workFolder + L"\\launched.txt";
        const std::wstring commandLine = std::wstring(self) + L" --launched " + record;
        HWND path = control(ControlId::commandLine);
        SendMessageW(path, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(path, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        replaceText(path, commandLine);
        check(focus() == path && field(ControlId::commandLine) == commandLine,
              "the command line is typed in");
        PostMessageW(control(ControlId::run), BM_CLICK, 0, 0);
        check(waitFor([&] { return focus() == window_; }), "after Run the window has the focus");
        std::string mode;
        check(waitFor([&] {
                  std::ifstream in(record.c_str());
                  return std::getline(in, mode) && !mode.empty();
              }),
              "Run starts the typed command line");
        checks.equal(mode, "3", "Run starts it maximized");
    }

    // While a call waits for a slow Excel, what another program sends the window and its
    // controls is dropped, and what it posts waits for the call's end. Had the click run, it would
    // have poked in the middle of the call's poke; had the stray acknowledgement been taken as an
    // answer, its halves would have been freed as atoms, and this program's atom with them.
    void checkHeldStillDuringTransfer() {
        const wchar_t slowText[] = L"نص إلى إكسل بطيء";
        e2e::ClientThread call([&] {
            ComPtr<IDispatch> object = newObject();
            return object && callSheetpush(*object.get(), slowText, 1, 1, L"Slow");
        });
        check(waitFor([&] { return connections(L"Slow") == 1; }), "a call reaches a slow Excel");
        Sleep(100);
        const ATOM probe = GlobalAddAtomW(L"SheetpushStrayProbe");
        sheetpush::win32::UniqueWindow stray(CreateWindowExW(
            0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
        HWND send = control(ControlId::send);
        SendMessageW(send, BM_CLICK, 0, 0);
        SendMessageW(window_, WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(ControlId::send), BN_CLICKED),
                     reinterpret_cast<LPARAM>(send));
        SendMessageW(control(ControlId::cellText), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"نص من برنامج آخر"));
        for (HWND conversation : conversationWindows(process_))
            SendMessageW(conversation, WM_DDE_ACK, reinterpret_cast<WPARAM>(stray.get()),
                         MAKELPARAM(probe, probe));
        PostMessageW(control(ControlId::sheet), WM_CHAR, L'#', 1);
        const bool typedDuringWait = field(ControlId::sheet).find(L'#') != std::wstring::npos;
        const bool stillWaiting = !call.finished(0);
        check(stillWaiting, "the messages came while the call waited for Excel");
        check(call.finished(30000) && call.succeeded(), "the waiting call returns True");
        check(pokesTo(L"Slow") == std::vector<std::wstring>{slowText},
              "a click sent during the transfer started no second one");
        check(field(ControlId::cellText) == slowText,
              "a text sent to a field during the transfer was dropped");
        check(GlobalFindAtomW(L"SheetpushStrayProbe") == probe,
              "a stray acknowledgement's halves were not freed as atoms");
        check(!typedDuringWait &&
                  waitFor([&] { return field(ControlId::sheet).find(L'#') != std::wstring::npos; }),
              "a key posted during the transfer is handled after it");
        GlobalDeleteAtom(probe);
    }

    void checkClosed() {
        check(findOwnedBy(process_, messageTitle) == nullptr, "no failure message was shown");
        PostMessageW(window_, WM_CLOSE, 0, 0);
        check(waitFor([&] { return !IsWindowVisible(window_); }), "a close hides the window again");
        check(IsWindow(window_), "and the window lives on");
    }

private:
    std::vector<std::wstring> pokesTo(const std::wstring& sheet) const {
        std::vector<std::wstring> found;
        for (const auto& event : standinEvents(standinLog_))
            if (event.kind == L"poke" && event.topic == sheet)
                found.push_back(event.text);
        return found;
    }

    int connections(const std::wstring& sheet) const {
        int count = 0;
        for (const auto& event : standinEvents(standinLog_))
            count += event.kind == L"connect" && event.topic == sheet;
        return count;
    }

    HWND window_;
    DWORD process_ = 0;
    DWORD thread_;
    std::wstring standinLog_;
};

int recordLaunch(const wchar_t* record) {
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    GetStartupInfoW(&start);
    std::ofstream out(record);
    out << ((start.dwFlags & STARTF_USESHOWWINDOW) ? int{start.wShowWindow} : -1) << "\n";
    return out ? 0 : 1;
}

int drive(const std::wstring& standinLog, const std::wstring& workFolder) {
    sheetpush::win32::ComApartment apartment;
    ComPtr<IDispatch> object = newObject();
    if (!object) {
        check(false, "the server's object is created");
        return checks.exitCode();
    }
    check(callSheetpush(*object.get(), L"أول نص", 2, 3, L"ورقة1"), "a client's Sheetpush succeeds");

    HWND window = FindWindowW(L"ExcelLink", windowCaption);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    check(window && owner != GetCurrentProcessId(), "the server's link window is found by caption");
    if (!window)
        return checks.exitCode();
    check(!IsWindowVisible(window), "the server keeps it hidden");
    OnScreen screen(window, standinLog);
    screen.checkShown();
    screen.checkLayout();
    screen.checkTyping();
    screen.checkTab();
    screen.checkEnter();
    screen.checkArrows();
    screen.checkBrowseCancelled();
    screen.checkRun(workFolder);
    screen.checkHeldStillDuringTransfer();
    screen.checkClosed();
    return checks.exitCode();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"--launched")
        return recordLaunch(argv[2]);
    if (argc != 3) {
        std::printf("usage: LinkWindowOnScreen.exe STANDIN_LOG WORK_FOLDER\n");
        return 2;
    }
    return drive(argv[1], argv[2]);
}
