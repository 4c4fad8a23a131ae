#include "platform/portable_formatting.hpp"

#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"
#include "vocabulary/overloaded.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

namespace sheetpush {

namespace {

std::u16string widened(std::string_view ascii) {
    std::u16string text;
    for (char c : ascii)
        text += c == 'e' ? u'E' : static_cast<char16_t>(c);
    return text;
}

template <class Number> std::u16string decimal(Number value) {
    return widened(std::to_string(value));
}

// The shortest text that keeps the type's significant digits; negative zero is plain zero.
template <class Real> std::u16string significant(Real value, int digits) {
    if (value == 0)
        value = 0;
    char text[40];
    auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    return widened({text, end.ptr});
}

std::u16string currency(Currency value) {
    std::uint64_t magnitude = value.scaled < 0 ? 0 - static_cast<std::uint64_t>(value.scaled)
                                               : static_cast<std::uint64_t>(value.scaled);
    auto text = decimal(magnitude / 10000);
    if (auto fraction = magnitude % 10000) {
        auto digits = decimal(10000 + fraction).substr(1);
        text += u'.' + digits.substr(0, digits.find_last_not_of(u'0') + 1);
    }
    return value.scaled < 0 ? u'-' + text : text;
}

struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

// Days counted from 1 January 1970 in the proleptic Gregorian calendar.
CivilDate civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}

std::u16string twoDigits(std::int64_t value) {
    return (value < 10 ? u"0" : u"") + decimal(value);
}

std::u16string timeOfDay(std::int64_t seconds) {
    const auto hour = seconds / 3600;
    const auto hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return decimal(hour12) + u':' + twoDigits(seconds / 60 % 60) + u':' + twoDigits(seconds % 60) +
           (hour < 12 ? u" AM" : u" PM");
}

// Day 0 is 30 December 1899; the fraction is the time of day, counted forward even for days
// before day 0. A date without a time is written alone, and so is a time on day 0.
Result<std::u16string> date(Date value) {
    constexpr double firstDay = -657434; // 1 January 100
    constexpr double lastDay = 2958466;  // 1 January 10000
    if (!(value.days > firstDay - 1 && value.days < lastDay))
        return error::overflow(text::dateOutOfRange);
    auto whole = static_cast<std::int64_t>(std::trunc(value.days));
    auto seconds = std::llround(std::fabs(value.days - std::trunc(value.days)) * 86400);
    if (seconds == 86400) {
        seconds = 0;
        ++whole;
    }
    const auto civil = civilFromDays(whole - 25569);
    const auto day = decimal(civil.month) + u'/' + decimal(civil.day) + u'/' + decimal(civil.year);
    if (seconds == 0)
        return day;
    if (whole == 0)
        return timeOfDay(seconds);
    return day + u' ' + timeOfDay(seconds);
}

} // namespace

Result<std::u16string> PortableFormatting::format(const Variant& scalar) {
    return std::visit(
        Overloaded{
            [](std::int16_t value) -> Result<std::u16string> { return decimal(value); },
            [](std::int32_t value) -> Result<std::u16string> { return decimal(value); },
            [](float value) -> Result<std::u16string> { return significant(value, 7); },
            [](double value) -> Result<std::u16string> { return significant(value, 15); },
            [](Currency value) -> Result<std::u16string> { return currency(value); },
            [](bool value) -> Result<std::u16string> {
                return std::u16string(value ? u"True" : u"False");
            },
            [](Date value) { return date(value); },
            [](const auto&) -> Result<std::u16string> { return error::typeMismatch(); },
        },
        scalar.value());
}

} // namespace sheetpush
