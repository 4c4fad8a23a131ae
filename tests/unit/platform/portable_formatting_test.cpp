#include "platform/portable_formatting.hpp"
#include "vocabulary/error_numbers.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

namespace sheetpush {
namespace {

struct FormatCase {
    const char* name;
    Variant value;
    std::u16string text;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class PortableFormattingTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PortableFormattingTest, FormatsWithoutLocale) {
    PortableFormatting formatting;
    auto text = formatting.format(GetParam().value);
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.value(), GetParam().text);
}

constexpr double oneSecond = 1.0 / 86400;

INSTANTIATE_TEST_SUITE_P(
    Scalars, PortableFormattingTest,
    ::testing::Values(
        FormatCase{"int16", Variant{std::int16_t{-7}}, u"-7"},
        FormatCase{"int32", Variant{std::int32_t{123456}}, u"123456"},
        FormatCase{"double", Variant{2.5}, u"2.5"},
        FormatCase{"doubleRounded", Variant{0.1 + 0.2}, u"0.3"},
        FormatCase{"doubleFifteenDigits", Variant{1.0 / 3}, u"0.333333333333333"},
        FormatCase{"doubleExponent", Variant{1e15}, u"1E+15"},
        FormatCase{"doubleNegativeZero", Variant{-0.0}, u"0"},
        FormatCase{"float", Variant{0.1f}, u"0.1"},
        FormatCase{"floatSevenDigits", Variant{1.0f / 3}, u"0.3333333"},
        FormatCase{"currencyWhole", Variant{Currency{10000}}, u"1"},
        FormatCase{"currencyFourDecimals", Variant{Currency{12345}}, u"1.2345"},
        FormatCase{"currencyInnerZero", Variant{Currency{10500}}, u"1.05"},
        FormatCase{"currencyNegative", Variant{Currency{-15000}}, u"-1.5"},
        FormatCase{"currencySmallest", Variant{Currency{std::numeric_limits<std::int64_t>::min()}},
                   u"-922337203685477.5808"},
        FormatCase{"true", Variant{true}, u"True"}, FormatCase{"false", Variant{false}, u"False"},
        FormatCase{"dayZero", Variant{Date{0}}, u"12/30/1899"},
        FormatCase{"dateOnly", Variant{Date{36526}}, u"1/1/2000"},
        FormatCase{"dateAndTime", Variant{Date{36527 + 54245 * oneSecond}}, u"1/2/2000 3:04:05 PM"},
        FormatCase{"midnightHour", Variant{Date{36527 + 5 * oneSecond}}, u"1/2/2000 12:00:05 AM"},
        FormatCase{"timeOnly", Variant{Date{0.5}}, u"12:00:00 PM"},
        FormatCase{"beforeDayZero", Variant{Date{-1.25}}, u"12/29/1899 6:00:00 AM"},
        FormatCase{"roundsToNextDay", Variant{Date{36526.9999999}}, u"1/2/2000"},
        FormatCase{"leapDay", Variant{Date{36585}}, u"2/29/2000"},
        FormatCase{"firstDay", Variant{Date{-657434}}, u"1/1/100"},
        FormatCase{"lastDay", Variant{Date{2958465}}, u"12/31/9999"}),
    [](const auto& info) { return info.param.name; });

TEST(PortableFormattingFailures, DatesOutsideTheCalendarAndNonScalars) {
    PortableFormatting formatting;
    for (const auto& value : {Variant{Date{2958466}}, Variant{Date{-657435}},
                              Variant{Date{std::numeric_limits<double>::quiet_NaN()}}}) {
        auto text = formatting.format(value);
        ASSERT_FALSE(text.ok());
        EXPECT_EQ(text.failure().number, error::overflow);
    }
    for (const auto& value : {Variant{}, Variant{u"text"}, Variant{Null{}}}) {
        auto text = formatting.format(value);
        ASSERT_FALSE(text.ok());
        EXPECT_EQ(text.failure().number, error::typeMismatch);
    }
}

} // namespace
} // namespace sheetpush
