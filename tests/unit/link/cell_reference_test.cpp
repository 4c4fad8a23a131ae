#include "link/cell_reference.hpp"
#include "link/topic.hpp"
#include "vocabulary/error_numbers.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace sheetpush {
namespace {

struct ReferenceCase {
    const char* name;
    std::u16string row;
    std::u16string column;
    std::u16string item;
};

void PrintTo(const ReferenceCase& c, std::ostream* out) {
    *out << c.name;
}

class CellReferenceTest : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(CellReferenceTest, BuildsRowThenColumn) {
    const auto& c = GetParam();
    auto reference = buildCellReference(c.row, c.column);
    EXPECT_EQ(reference.item, c.item);
    EXPECT_TRUE(reference.parsed.ok());
}

// A negative number keeps its "-" so that Excel refuses the cell instead of the text landing in
// the cell of the number's absolute value.
INSTANTIATE_TEST_SUITE_P(
    Table, CellReferenceTest,
    ::testing::Values(ReferenceCase{"plain", u"3", u"2", u"R3C2"},
                      ReferenceCase{"empty", u"", u"", u"R0C0"},
                      ReferenceCase{"letters", u"abc", u"7", u"R0C7"},
                      ReferenceCase{"blanksAndTrailing", u" 1 2 ", u"4x", u"R12C4"},
                      ReferenceCase{"leadingZeros", u"007", u"10", u"R7C10"},
                      ReferenceCase{"negativeRowKeepsSign", u"-3", u"2", u"R-3C2"},
                      ReferenceCase{"negativeColumnKeepsSign", u"3", u"-2", u"R3C-2"},
                      ReferenceCase{"negativeZero", u"-0", u"1", u"R0C1"},
                      ReferenceCase{"fraction", u"2.5", u"1", u"R2.5C1"},
                      ReferenceCase{"commaEndsNumber", u"2,5", u"1", u"R2C1"},
                      ReferenceCase{"exponent", u"1e3", u"1", u"R1000C1"},
                      ReferenceCase{"hex", u"&H10", u"1", u"R16C1"},
                      ReferenceCase{"hexSixteenBitsNegative", u"&HFFFF", u"1", u"R-1C1"},
                      ReferenceCase{"exponentForm", u"1E15", u"1", u"R1E+15C1"},
                      ReferenceCase{"tabsAndLineFeeds", u"\t3\n", u"\n2\t", u"R3C2"},
                      ReferenceCase{"arabicSheetDigitsAreNotNumbers", u"٣", u"1", u"R0C1"}),
    [](const auto& info) { return info.param.name; });

TEST(CellReferenceOverflow, RecordsTheFailureAndBuildsWithZero) {
    auto reference = buildCellReference(u"1E400", u"2");
    EXPECT_EQ(reference.item, u"R0C2");
    ASSERT_FALSE(reference.parsed.ok());
    EXPECT_EQ(reference.parsed.failure().number, error::overflow);
    EXPECT_NE(reference.parsed.failure().description.find(u"1E400"), std::u16string::npos);
}

TEST(CellReferenceOverflow, TheColumnFailureReplacesTheRowFailure) {
    auto reference = buildCellReference(u"1E400", u"-1D999");
    EXPECT_EQ(reference.item, u"R0C0");
    ASSERT_FALSE(reference.parsed.ok());
    EXPECT_NE(reference.parsed.failure().description.find(u"-1D999"), std::u16string::npos);
}

struct ParseCase {
    const char* name;
    std::u16string text;
    double value;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.name;
}

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsTheLeadingNumber) {
    const auto& c = GetParam();
    auto parsed = parseNumber(c.text);
    ASSERT_TRUE(parsed.ok()) << "failed: " << c.name;
    EXPECT_DOUBLE_EQ(parsed.value(), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberTest,
    ::testing::Values(
        ParseCase{"empty", u"", 0}, ParseCase{"onlyBlanks", u" \t\n", 0},
        ParseCase{"blanksInsideDigits", u"1\t2\n3 4", 1234},
        ParseCase{"carriageReturnIsNoBlank", u"\r5", 0},
        ParseCase{"blanksInsideExponent", u"1 e 2", 100}, ParseCase{"leadingPoint", u".5", 0.5},
        ParseCase{"plusSign", u"+4", 4}, ParseCase{"signedPoint", u"-.25", -0.25},
        ParseCase{"secondPointEnds", u"1.2.3", 1.2}, ParseCase{"trailingPoint", u"7.", 7},
        ParseCase{"pointAlone", u".", 0}, ParseCase{"signAlone", u"-", 0},
        ParseCase{"exponentWithoutDigits", u"1e", 1},
        ParseCase{"exponentSignWithoutDigits", u"1e+x", 1},
        ParseCase{"negativeExponent", u"2E-1", 0.2}, ParseCase{"exponentD", u"2d2", 200},
        ParseCase{"exponentUpperD", u"3D+1", 30}, ParseCase{"exponentWithoutMantissa", u"e5", 0},
        ParseCase{"underflowIsZero", u"1e-400", 0},
        ParseCase{"smallestDigitsBeforeHugeExponent", u"0.0001e300", 1e296},
        ParseCase{"largestDouble", u"1.7976931348623157e308", 1.7976931348623157e308},
        ParseCase{"hexLowerCase", u"&h1f", 31}, ParseCase{"hexUpperDigits", u"&HfF", 255},
        ParseCase{"hexStopsAtNonDigit", u"&H1G", 1}, ParseCase{"hexWithoutDigits", u"&H", 0},
        ParseCase{"hexLargest16BitPositive", u"&H7FFF", 32767},
        ParseCase{"hexSmallest16BitNegative", u"&H8000", -32768},
        ParseCase{"hexAbove16Bits", u"&H10000", 65536},
        ParseCase{"hexLeadingZerosKeep16Bits", u"&H0000FFFF", -1},
        ParseCase{"hex32BitNegative", u"&HFFFFFFFF", -1},
        ParseCase{"hex32BitSmallest", u"&H80000000", -2147483648.0},
        ParseCase{"hexBlanksDropped", u"& H 1 0", 16}, ParseCase{"octal", u"&O17", 15},
        ParseCase{"octalLowerCase", u"&o177777", -1}, ParseCase{"octalStopsAtEight", u"&O78", 7},
        ParseCase{"otherAmpersand", u"&X1", 0}, ParseCase{"signBeforeHex", u"-&H10", 0}),
    [](const auto& info) { return info.param.name; });

struct OverflowCase {
    const char* name;
    std::u16string text;
};

void PrintTo(const OverflowCase& c, std::ostream* out) {
    *out << c.name;
}

class ParseOverflowTest : public ::testing::TestWithParam<OverflowCase> {};

// A long text is named by its beginning only.
TEST_P(ParseOverflowTest, IsAnOverflowNamingTheText) {
    const auto& text = GetParam().text;
    auto parsed = parseNumber(text);
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.failure().number, error::overflow);
    EXPECT_NE(parsed.failure().description.find(text.substr(0, 20)), std::u16string::npos);
    EXPECT_LT(parsed.failure().description.size(), 120u);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseOverflowTest,
    ::testing::Values(OverflowCase{"exponent", u"1E400"}, OverflowCase{"negative", u"-1e400"},
                      OverflowCase{"justAboveDouble", u"1.8e308"},
                      OverflowCase{"blanksDropped", u" 1 E 4 0 0 "},
                      OverflowCase{"fourHundredDigits", u"1" + std::u16string(400, u'0')},
                      OverflowCase{"hugeExponent", u"1e99999999999999999999"},
                      OverflowCase{"hexBeyond32Bits", u"&H100000000"},
                      OverflowCase{"octalBeyond32Bits", u"&O40000000000"}),
    [](const auto& info) { return info.param.name; });

struct TextCase {
    const char* name;
    double value;
    std::u16string text;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.name;
}

class NumberTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberTextTest, WritesTheSignPositionThenTheNumber) {
    EXPECT_EQ(numberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextTest,
    ::testing::Values(TextCase{"whole", 3, u" 3"}, TextCase{"thousand", 1000, u" 1000"},
                      TextCase{"negative", -3, u"-3"}, TextCase{"zero", 0, u" 0"},
                      TextCase{"negativeZero", -0.0, u" 0"}, TextCase{"fraction", 2.5, u" 2.5"},
                      TextCase{"largestPlain", 999999999999999, u" 999999999999999"},
                      TextCase{"exponentFrom1E15", 1e15, u" 1E+15"},
                      TextCase{"negativeExponent", -1.5e20, u"-1.5E+20"},
                      TextCase{"fifteenDigits", 123456789.123456789, u" 123456789.123457"},
                      TextCase{"third", 1.0 / 3, u" 0.333333333333333"}),
    [](const auto& info) { return info.param.name; });

TEST(Topic, IsExcelThenTheSheetAsTyped) {
    EXPECT_EQ(buildTopic(u"ورقة1"), u"Excel|ورقة1");
    EXPECT_EQ(buildTopic(u""), u"Excel|");
    EXPECT_EQ(buildTopic(u" a|b "), u"Excel| a|b ");
}

} // namespace
} // namespace sheetpush
