// Finds message boxes by their title, writes out each one's text and presses its OK button, so
// that a test can assert a modal message instead of avoiding it.
//
//   MessageBoxCloser.exe /title:<title> /out:<prefix> [/count:<n>] [/timeout:<ms>]
//                        [/button:cancel]
//
// Waits for n boxes (default 1) one after the other, each at most timeout milliseconds
// (default 20000). Each box's text goes, in UTF-8, to <prefix><i>.txt (i from 1). Exit code 0
// when every box was found and closed, 2 when one did not appear in time, 1 on bad usage.
// /button:cancel presses Cancel instead of OK, which is how a person dismisses an open-file dialog.

#include "support/files.hpp"
#include "support/switches.hpp"
#include "support/text.hpp"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

namespace {

struct Search {
    const std::wstring* title;
    HWND found;
};

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    return std::wstring(name, static_cast<std::size_t>(GetClassNameW(window, name, 64)));
}

BOOL CALLBACK matchBox(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<Search*>(search);
    if (!IsWindowVisible(window) || className(window) != L"#32770" ||
        windowText(window) != *wanted->title)
        return TRUE;
    wanted->found = window;
    return FALSE;
}

// The box's message is the text of its static controls; the icon's static has none.
BOOL CALLBACK collectText(HWND child, LPARAM text) {
    auto* out = reinterpret_cast<std::wstring*>(text);
    if (_wcsicmp(className(child).c_str(), L"Static") == 0)
        *out += windowText(child);
    return TRUE;
}

HWND awaitBox(const std::wstring& title, DWORD timeoutMs) {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        Search search{&title, nullptr};
        EnumWindows(matchBox, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount64() >= end)
            return search.found;
        Sleep(10);
    }
}

void awaitClosed(HWND box, DWORD timeoutMs) {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    while (IsWindow(box) && GetTickCount64() < end)
        Sleep(5);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    using e2e::switchNumber;
    using e2e::switchValue;
    std::optional<std::wstring> title;
    std::optional<std::wstring> prefix;
    DWORD timeoutMs = 20000;
    int boxes = 1;
    int button = IDOK;
    for (int i = 1; i < argc; ++i) {
        std::wstring_view argument = argv[i];
        if (auto value = switchValue(argument, L"title"))
            title = value;
        else if (auto value = switchValue(argument, L"out"))
            prefix = value;
        else if (auto value = switchValue(argument, L"timeout"))
            timeoutMs = static_cast<DWORD>(switchNumber(*value));
        else if (auto value = switchValue(argument, L"count"))
            boxes = static_cast<int>(switchNumber(*value));
        else if (auto value = switchValue(argument, L"button"))
            button = *value == L"cancel" ? IDCANCEL : IDOK;
    }
    if (!title || !prefix)
        return 1;
    for (int index = 1; index <= boxes; ++index) {
        HWND box = awaitBox(*title, timeoutMs);
        if (!box)
            return 2;
        std::wstring text;
        EnumChildWindows(box, collectText, reinterpret_cast<LPARAM>(&text));
        e2e::writeFile(*prefix + std::to_wstring(index) + L".txt", e2e::utf8(text));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        awaitClosed(box, timeoutMs);
    }
    return 0;
}
