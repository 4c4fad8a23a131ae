#include "server/com/command_line.hpp"

#include "platform/win32/raii.hpp"

#include <algorithm>

#include <shellapi.h>
#include <windows.h>

namespace sheetpush::com {

namespace {

bool isSwitch(const std::wstring& argument, const wchar_t* name) {
    return argument.size() > 1 && (argument[0] == L'/' || argument[0] == L'-') &&
           CompareStringOrdinal(argument.c_str() + 1, -1, name, -1, TRUE) == CSTR_EQUAL;
}

struct Switch {
    const wchar_t* name;
    Invocation invocation;
};

constexpr Switch switches[] = {
    {L"RegServer", {Request::registerServer, RegistryScope::machine}},
    {L"UnregServer", {Request::unregisterServer, RegistryScope::machine}},
    {L"RegServerPerUser", {Request::registerServer, RegistryScope::user}},
    {L"UnregServerPerUser", {Request::unregisterServer, RegistryScope::user}},
    {L"Embedding", {Request::serve, RegistryScope::machine}},
};

} // namespace

Invocation invocationOf(const std::vector<std::wstring>& arguments) {
    for (const auto& argument : arguments)
        for (const auto& known : switches)
            if (isSwitch(argument, known.name))
                return known.invocation;
    return {};
}

std::vector<std::wstring> processArguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    win32::UniqueLocal owned(words);
    if (!words)
        return {};
    return std::vector<std::wstring>(words + std::min(count, 1), words + count);
}

} // namespace sheetpush::com
