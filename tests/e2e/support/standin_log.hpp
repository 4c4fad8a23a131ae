#pragma once

#include <string>
#include <vector>

namespace e2e {

// One line of the Excel stand-in's log, its fields as the stand-in wrote them (see
// excel_standin/transaction_log.hpp).
struct StandinEvent {
    std::wstring conversation;
    std::wstring kind;
    std::wstring topic;
    std::wstring item;
    std::wstring format;
    std::wstring outcome;
    std::wstring text;
};

// The events logged so far; none when there is no log yet.
std::vector<StandinEvent> standinEvents(const std::wstring& logPath);

} // namespace e2e
