// Finds message boxes by their title, writes out each one's text and presses its OK button, so
// that a test can assert a modal message instead of avoiding it.
//
//   MessageBoxCloser.exe /title:<title> [/count:<n>] [/timeout:<ms>] [/out:<prefix>]
//                        [/button:cancel]
//
// Waits for n boxes (default 1) one after the other, each at most timeout milliseconds
// (default 20000). Each box's text goes, in UTF-8, to <prefix><i>.txt (i from 1), or to the
// standard output when no prefix is given. Exit code 0 when every box was found and closed,
// 2 when one did not appear in time, 1 on bad usage. /button:cancel presses Cancel instead of
// OK, which is how a person dismisses an open-file dialog.

#include "platform/win32/raii.hpp"

#include <shellapi.h>
#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

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

std::string utf8(const std::wstring& text) {
    int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), length,
                        nullptr, nullptr);
    return out;
}

void writeText(const std::optional<std::wstring>& prefix, int index, const std::wstring& text) {
    std::string bytes = utf8(text);
    DWORD written = 0;
    if (!prefix) {
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
                  &written, nullptr);
        return;
    }
    std::wstring path = *prefix + std::to_wstring(index) + L".txt";
    HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE)
        return;
    sheetpush::win32::UniqueHandle file(created);
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::optional<std::wstring> valueOf(const std::wstring& argument, const wchar_t* name) {
    std::wstring prefix = std::wstring(L"/") + name + L":";
    if (argument.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    return argument.substr(prefix.size());
}

} // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::optional<std::wstring> title;
    std::optional<std::wstring> prefix;
    DWORD timeoutMs = 20000;
    int boxes = 1;
    int button = IDOK;
    for (int i = 1; i < count; ++i) {
        std::wstring argument = arguments[i];
        if (auto value = valueOf(argument, L"title"))
            title = value;
        else if (auto value = valueOf(argument, L"out"))
            prefix = value;
        else if (auto value = valueOf(argument, L"timeout"))
            timeoutMs = static_cast<DWORD>(std::wcstoul(value->c_str(), nullptr, 10));
        else if (auto value = valueOf(argument, L"count"))
            boxes = static_cast<int>(std::wcstol(value->c_str(), nullptr, 10));
        else if (auto value = valueOf(argument, L"button"))
            button = *value == L"cancel" ? IDCANCEL : IDOK;
    }
    LocalFree(arguments);
    if (!title)
        return 1;
    for (int index = 1; index <= boxes; ++index) {
        HWND box = awaitBox(*title, timeoutMs);
        if (!box)
            return 2;
        std::wstring text;
        EnumChildWindows(box, collectText, reinterpret_cast<LPARAM>(&text));
        writeText(prefix, index, text);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        awaitClosed(box, timeoutMs);
    }
    return 0;
}
