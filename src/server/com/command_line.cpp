#include "server/com/command_line.hpp"

#include "platform/win32/raii.hpp"

#include <algorithm>

#include <shellapi.h>
#include <windows.h>

namespace sheetpush::com {

namespace {

struct LocalMemoryTraits {
    using Value = HLOCAL;
    static HLOCAL none() { return nullptr; }
    static void close(HLOCAL memory) { LocalFree(memory); }
};

bool isSwitch(const std::wstring& argument, const wchar_t* name) {
    return argument.size() > 1 && (argument[0] == L'/' || argument[0] == L'-') &&
           CompareStringOrdinal(argument.c_str() + 1, -1, name, -1, TRUE) == CSTR_EQUAL;
}

} // namespace

Request requestOf(const std::vector<std::wstring>& arguments) {
    for (const auto& argument : arguments) {
        if (isSwitch(argument, L"RegServer"))
            return Request::registerServer;
        if (isSwitch(argument, L"UnregServer"))
            return Request::unregisterServer;
        if (isSwitch(argument, L"Embedding"))
            return Request::serve;
    }
    return Request::person;
}

std::vector<std::wstring> processArguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    win32::UniqueResource<LocalMemoryTraits> owned(words);
    if (!words)
        return {};
    return std::vector<std::wstring>(words + std::min(count, 1), words + count);
}

} // namespace sheetpush::com
