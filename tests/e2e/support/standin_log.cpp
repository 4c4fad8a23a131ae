#include "support/standin_log.hpp"

#include "support/files.hpp"
#include "support/text.hpp"

#include <sstream>

namespace e2e {

namespace {

std::vector<std::wstring> split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    std::wistringstream stream(text);
    for (std::wstring part; std::getline(stream, part, separator);)
        parts.push_back(part);
    return parts;
}

} // namespace

std::vector<StandinEvent> standinEvents(const std::wstring& logPath) {
    std::vector<StandinEvent> events;
    for (const auto& line : split(fromUtf8(readFile(logPath)), L'\n')) {
        auto fields = split(line, L'\t');
        // The text may be empty, and then the line ends at the tab before it.
        fields.resize(7);
        events.push_back(
            {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]});
    }
    return events;
}

} // namespace e2e
