#include "standin_options.hpp"

#include "support/switches.hpp"

namespace standin {

namespace {

using e2e::isSwitch;
using e2e::switchNumber;
using e2e::switchValue;

struct Flag {
    const wchar_t* name;
    bool Options::*field;
};

constexpr Flag flags[] = {
    {L"textonly", &Options::textOnly}, {L"busy", &Options::busy},
    {L"strayack", &Options::strayAck}, {L"refusepokes", &Options::refusePokes},
    {L"ackreq", &Options::ackReq},     {L"anytopic", &Options::anyTopic},
};

struct Delay {
    const wchar_t* name;
    DWORD Options::*field;
};

constexpr Delay delays[] = {
    {L"delay", &Options::delayMs},
    {L"initiatedelay", &Options::initiateDelayMs},
};

std::wstring environmentLogPath() {
    wchar_t path[MAX_PATH * 2] = {};
    DWORD length = GetEnvironmentVariableW(L"SHEETPUSH_STANDIN_LOG", path, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? std::wstring(path, length) : std::wstring();
}

// Whether the argument was one of the flags or delays, which it then sets.
bool setFlagOrDelay(Options& options, const std::wstring& argument) {
    for (const auto& flag : flags)
        if (isSwitch(argument, flag.name))
            return options.*flag.field = true;
    for (const auto& delay : delays)
        if (auto value = switchValue(argument, delay.name)) {
            options.*delay.field = static_cast<DWORD>(switchNumber(*value));
            return true;
        }
    return false;
}

} // namespace

Options parseOptions(const std::vector<std::wstring>& arguments) {
    Options options;
    options.logPath = environmentLogPath();
    for (const auto& argument : arguments) {
        if (auto sheet = switchValue(argument, L"sheet"))
            options.sheets.push_back(*sheet);
        else if (auto letters = switchValue(argument, L"letters"); letters && letters->size() == 2)
            options.letters = *letters;
        else if (auto workbook = switchValue(argument, L"qualified"))
            options.qualifiedBy = *workbook;
        else if (auto count = switchValue(argument, L"stopafter"))
            options.stopAfter = static_cast<unsigned>(switchNumber(*count));
        else if (auto row = switchValue(argument, L"lockedfrom"))
            options.lockedFrom = static_cast<unsigned long>(switchNumber(*row));
        else if (auto log = switchValue(argument, L"log"))
            options.logPath = *log;
        else if (!setFlagOrDelay(options, argument))
            options.workbook = argument;
    }
    if (options.sheets.empty())
        options.sheets = {L"ورقة1", L"Sheet1"};
    return options;
}

} // namespace standin
