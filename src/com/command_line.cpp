#include "com/command_line.hpp"

#include "sheetpush_version.h"
#include "win32_base/raii.hpp"

#include <algorithm>

#include <shellapi.h>
#include <windows.h>

namespace sheetpush::com {

namespace {

bool looksLikeSwitch(const std::wstring& argument) {
    return argument.size() > 1 && (argument[0] == L'/' || argument[0] == L'-');
}

bool isSwitch(const std::wstring& argument, const wchar_t* name) {
    return looksLikeSwitch(argument) &&
           CompareStringOrdinal(argument.c_str() + 1, -1, name, -1, TRUE) == CSTR_EQUAL;
}

struct Switch {
    const wchar_t* name;
    Request request;
    RegistryScope scope;
    // What the usage says of it; nothing for the switches that only COM passes.
    const wchar_t* meaning;
};

// "/Automation", which a registration may put before COM's own "-Embedding", asks for nothing
// by itself.
constexpr Switch switches[] = {
    {L"RegServer", Request::registerServer, RegistryScope::machine,
     L"register for every user of the machine (as administrator)"},
    {L"UnregServer", Request::unregisterServer, RegistryScope::machine,
     L"remove that registration where it names this copy"},
    {L"RegServerPerUser", Request::registerServer, RegistryScope::user,
     L"register for the current user alone"},
    {L"UnregServerPerUser", Request::unregisterServer, RegistryScope::user,
     L"remove the current user's registration where it names this copy"},
    {L"?", Request::help, RegistryScope::machine, L"show this text (so does /help)"},
    {L"help", Request::help, RegistryScope::machine, nullptr},
    {L"Embedding", Request::serve, RegistryScope::machine, nullptr},
    {L"Automation", Request::person, RegistryScope::machine, nullptr},
};

const Switch* knownSwitch(const std::wstring& argument) {
    for (const auto& known : switches)
        if (isSwitch(argument, known.name))
            return &known;
    return nullptr;
}

} // namespace

// The first switch that asks for something decides; help, or a switch nobody knows, wins over
// every other.
Invocation invocationOf(const std::vector<std::wstring>& arguments) {
    Invocation chosen;
    for (const auto& argument : arguments) {
        if (!looksLikeSwitch(argument))
            continue;
        const Switch* known = knownSwitch(argument);
        if (!known)
            return {Request::unknownSwitch, RegistryScope::machine, argument};
        if (known->request == Request::help)
            return {Request::help, RegistryScope::machine, {}};
        if (chosen.request == Request::person)
            chosen = {known->request, known->scope, {}};
    }
    return chosen;
}

std::wstring usage() {
    constexpr std::size_t nameWidth = 20;
    std::wstring text = L"Sheetpush ";
    text += SHEETPUSH_PACKAGE_VERSION_W;
    text += L" (version record ";
    text += SHEETPUSH_VERSION_RECORD_W;
    text += L"), the automation server of Sheetpush.ExcelLinke.\n\nSheetpush.exe [switch]\n";
    for (const auto& known : switches) {
        if (!known.meaning)
            continue;
        const std::wstring name = known.name;
        text += L"  /" + name +
                std::wstring(nameWidth - std::min(name.size(), nameWidth - 1), L' ') +
                known.meaning + L"\n";
    }
    text += L"\nSwitches also begin with \"-\", in any letter case. Without a switch the program\n"
            L"confirms the path of Excel.exe, asking for it when needed, and ends. COM starts it\n"
            L"with /Embedding to serve its clients.\n";
    return text;
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
