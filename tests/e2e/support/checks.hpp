#pragma once

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace e2e {

// How a value reads in a failed check's report: texts quoted, in UTF-8.
std::string shown(std::string_view text);
std::string shown(std::wstring_view text);
std::string shown(std::u16string_view text);
template <std::integral Number> std::string shown(Number number) {
    return std::to_string(number);
}
template <class Enumeration>
requires std::is_enum_v<Enumeration> std::string shown(Enumeration value) {
    return std::to_string(static_cast<long long>(value));
}
template <class Item> std::string shown(const std::vector<Item>& items) {
    std::string list;
    for (const auto& item : items)
        list += (list.empty() ? "" : ", ") + shown(item);
    return "[" + list + "]";
}
template <class Value> std::string shown(const std::optional<Value>& value) {
    return value ? shown(*value) : "nothing";
}

// A status code as Windows writes it, 0x800A000D, so that a comparison of two reads well.
std::string hex(long code);

// The one checker of the end-to-end programs. Every check prints a line, "ok" or "FAIL" and what
// it checks; a failed comparison also prints what was expected and what came. The tally line
// "N passed, M failed" is what the scripts read.
class Checks {
public:
    void expect(bool condition, std::string_view what);

    template <class Actual, class Expected>
    void equal(const Actual& actual, const Expected& expected, std::string_view what) {
        bool same = actual == expected;
        expect(same, what);
        if (!same)
            report(shown(expected), shown(actual));
    }

    // Prints the tally; a run that checked nothing has failed too, since it proves nothing.
    int exitCode() const;

private:
    static void report(const std::string& expected, const std::string& actual);

    int passes_ = 0;
    int failures_ = 0;
};

} // namespace e2e
