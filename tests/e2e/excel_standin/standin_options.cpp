#include "standin_options.hpp"

#include <cwchar>

namespace standin {

namespace {

std::optional<std::wstring> valueOf(const std::wstring& argument, const wchar_t* name) {
    std::wstring prefix = std::wstring(L"/") + name + L":";
    if (argument.size() < prefix.size() ||
        _wcsnicmp(argument.c_str(), prefix.c_str(), prefix.size()) != 0)
        return std::nullopt;
    return argument.substr(prefix.size());
}

bool isSwitch(const std::wstring& argument, const wchar_t* name) {
    return _wcsicmp(argument.c_str(), (std::wstring(L"/") + name).c_str()) == 0;
}

std::wstring environmentLogPath() {
    wchar_t path[MAX_PATH * 2] = {};
    DWORD length = GetEnvironmentVariableW(L"SHEETPUSH_STANDIN_LOG", path, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(path, length) : std::wstring();
}

} // namespace

Options parseOptions(const std::vector<std::wstring>& arguments) {
    Options options;
    options.logPath = environmentLogPath();
    for (const auto& argument : arguments) {
        if (auto sheet = valueOf(argument, L"sheet"))
            options.sheets.push_back(*sheet);
        else if (auto delay = valueOf(argument, L"delay"))
            options.delayMs = static_cast<DWORD>(std::wcstoul(delay->c_str(), nullptr, 10));
        else if (auto delay = valueOf(argument, L"initiatedelay"))
            options.initiateDelayMs = static_cast<DWORD>(std::wcstoul(delay->c_str(), nullptr, 10));
        else if (auto count = valueOf(argument, L"stopafter"))
            options.stopAfter = static_cast<unsigned>(std::wcstoul(count->c_str(), nullptr, 10));
        else if (auto log = valueOf(argument, L"log"))
            options.logPath = *log;
        else if (isSwitch(argument, L"textonly"))
            options.textOnly = true;
        else if (isSwitch(argument, L"busy"))
            options.busy = true;
        else if (isSwitch(argument, L"strayack"))
            options.strayAck = true;
        else if (isSwitch(argument, L"refusepokes"))
            options.refusePokes = true;
        else if (isSwitch(argument, L"ackreq"))
            options.ackReq = true;
        else if (isSwitch(argument, L"anytopic"))
            options.anyTopic = true;
        else
            options.workbook = argument;
    }
    if (options.sheets.empty())
        options.sheets = {L"ورقة1", L"Sheet1"};
    return options;
}

} // namespace standin
