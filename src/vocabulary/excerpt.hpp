#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sheetpush {

// A name as a description quotes it: whole when it is short, else its first units and an
// ellipsis, so that a huge sheet name or cell text cannot make a huge message. A surrogate pair
// is never cut in two.
inline std::u16string excerpt(std::u16string_view name) {
    constexpr std::size_t readable = 64;
    if (name.size() <= readable)
        return std::u16string(name);
    std::size_t kept = readable;
    if (name[kept - 1] >= 0xD800 && name[kept - 1] <= 0xDBFF)
        --kept;
    return std::u16string(name.substr(0, kept)) + u"…";
}

// A whole number as a description writes it: its digits, after a "-" when it is negative.
inline std::u16string decimalText(long long number) {
    const auto digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

} // namespace sheetpush
