#include "fakes/fake_platform.hpp"
#include "window/link_window.hpp"
#include "window/window_view.hpp"

#include <gtest/gtest.h>

#include <ostream>

#include <iterator>
#include <string>
#include <vector>

namespace sheetpush {
namespace {

// A number field and the spinner that the window keeps in step with it.
struct Pair {
    const char* name;
    TextBox LinkWindow::*field;
    Spinner LinkWindow::*spinner;
};

const Pair columnPair{"column", &LinkWindow::column, &LinkWindow::columnSpinner};
const Pair rowPair{"row", &LinkWindow::row, &LinkWindow::rowSpinner};

class NumberFields : public ::testing::Test {
protected:
    TextBox& field(const Pair& pair) { return window.*pair.field; }
    Spinner& spinner(const Pair& pair) { return window.*pair.spinner; }

    fakes::FakePlatform platform;
    LinkWindow window{platform};
};

TEST_F(NumberFields, NewWindowHoldsOneInFieldsAndSpinners) {
    for (const auto& pair : {columnPair, rowPair}) {
        SCOPED_TRACE(pair.name);
        EXPECT_EQ(field(pair).text(), u"1");
        EXPECT_EQ(spinner(pair).value(), 1);
    }
    EXPECT_EQ(window.columnSpinner.max(), 100000);
    EXPECT_EQ(window.rowSpinner.max(), 10000);
}

struct Write {
    const char16_t* text;
    const char16_t* settled;
    std::int32_t value;
};

// Written in one assignment while the spinner holds 1.
const Write rewrittenWrites[] = {
    {u"2.5", u"2", 2},   {u"3.5", u"4", 4},           {u"2.7", u"3", 3},       {u"007", u"7", 7},
    {u"1 2", u"12", 12}, {u"abc", u"0", 0},           {u"", u"0", 0},          {u"-0.5", u"0", 0},
    {u"4x", u"4", 4},    {u"&H10", u"16", 16},        {u"1e3", u"1000", 1000}, {u"2,5", u"2", 2},
    {u"\t9\n", u"9", 9}, {u"10000", u"10000", 10000},
};

TEST_F(NumberFields, OneAssignmentSettlesOnTheRoundedLeadingNumber) {
    for (const auto& pair : {columnPair, rowPair})
        for (std::size_t i = 0; i < std::size(rewrittenWrites); ++i) {
            const auto& write = rewrittenWrites[i];
            SCOPED_TRACE(::testing::Message() << pair.name << " write " << i);
            ASSERT_TRUE(spinner(pair).setValue(1).ok());
            field(pair).setText(write.text);
            EXPECT_EQ(field(pair).text(), write.settled);
            EXPECT_EQ(spinner(pair).value(), write.value);
        }
}

// Rounded, these equal the spinner's value, so nothing rewrites what was written.
const Write keptWrites[] = {
    {u"2.4", u"2.4", 2}, {u"1.5", u"1.5", 2},   {u"2.5", u"2.5", 2},
    {u"02", u"02", 2},   {u"2abc", u"2abc", 2}, {u" 2", u" 2", 2},
};

TEST_F(NumberFields, TextIsKeptWhenItsNumberEqualsTheSpinner) {
    for (std::size_t i = 0; i < std::size(keptWrites); ++i) {
        const auto& write = keptWrites[i];
        SCOPED_TRACE(::testing::Message() << "write " << i);
        window.column.setText(u"2");
        window.column.setText(write.text);
        EXPECT_EQ(window.column.text(), write.settled);
        EXPECT_EQ(window.columnSpinner.value(), write.value);
    }
}

TEST_F(NumberFields, TypedKeyByKeyTheTextStaysAsTyped) {
    for (const auto* typed : {u"2", u"2.", u"2.5"})
        window.column.setText(typed);
    EXPECT_EQ(window.column.text(), u"2.5");
    EXPECT_EQ(window.columnSpinner.value(), 2);
}

TEST_F(NumberFields, DeletingTheOnlyCharacterGivesZero) {
    window.row.setText(u"5");
    ASSERT_EQ(window.rowSpinner.value(), 5);
    window.row.setText(u"");
    EXPECT_EQ(window.row.text(), u"0");
    EXPECT_EQ(window.rowSpinner.value(), 0);
}

TEST_F(NumberFields, ArrowsStepFromTheSpinnerNotFromTheText) {
    window.column.setText(u"2");
    window.column.setText(u"2.4");
    window.columnSpinner.stepUp();
    EXPECT_EQ(window.column.text(), u"3");
    EXPECT_EQ(window.columnSpinner.value(), 3);

    window.row.setText(u"2.4");
    window.rowSpinner.stepDown();
    EXPECT_EQ(window.row.text(), u"1");
    EXPECT_EQ(window.rowSpinner.value(), 1);
}

struct Unholdable {
    const char* name;
    Pair pair;
    const char16_t* text;
};

void PrintTo(const Unholdable& c, std::ostream* os) {
    *os << c.name;
}

class SpinnerCannotHold : public ::testing::TestWithParam<Unholdable> {};

TEST_P(SpinnerCannotHold, FieldKeepsTheTextAndSpinnerItsValue) {
    const auto& c = GetParam();
    fakes::FakePlatform platform;
    LinkWindow window(platform);
    (window.*c.pair.field).setText(c.text);
    EXPECT_EQ((window.*c.pair.field).text(), c.text);
    EXPECT_EQ((window.*c.pair.spinner).value(), 1);

    // The pair still works for the next write.
    (window.*c.pair.field).setText(u"7");
    EXPECT_EQ((window.*c.pair.spinner).value(), 7);
}

INSTANTIATE_TEST_SUITE_P(Absorbed, SpinnerCannotHold,
                         ::testing::Values(Unholdable{"columnAboveRange", columnPair, u"100001"},
                                           Unholdable{"rowAboveRange", rowPair, u"10001"},
                                           Unholdable{"rowRoundsAboveRange", rowPair,
                                                      u"10000.5001"},
                                           Unholdable{"negative", columnPair, u"-1"},
                                           Unholdable{"roundsNegative", rowPair, u"-0.6"},
                                           Unholdable{"beyond32Bits", columnPair, u"4294967297"},
                                           Unholdable{"belowInt32", rowPair, u"-2147483649"},
                                           Unholdable{"huge", columnPair, u"1e300"},
                                           Unholdable{"overflowingParse", columnPair, u"1E400"},
                                           Unholdable{"overflowingRowParse", rowPair, u"-1E400"}),
                         [](const auto& info) { return info.param.name; });

// Records what a view would show: each control as it stands when the view hears of it.
class RecordingView : public WindowView {
public:
    void takeFocus() override { seen.push_back(u"focus"); }
    void textChanged(const TextBox& field) override { seen.push_back(field.text()); }
    void valueChanged(const Spinner& spinner) override {
        const auto digits = std::to_string(spinner.value());
        seen.push_back(u"#" + std::u16string(digits.begin(), digits.end()));
    }
    std::vector<std::u16string> seen;
};

TEST_F(NumberFields, ViewHearsOnlySettledStatesAndNothingOnceDetached) {
    RecordingView view;
    window.setView(&view);
    window.column.setText(u"2.5");
    EXPECT_EQ(view.seen, (std::vector<std::u16string>{u"2", u"#2", u"2"}));

    view.seen.clear();
    window.sheet.setText(u"Sheet2");
    window.commandLine.setText(u"x");
    window.cellText.setText(u"cell");
    EXPECT_EQ(view.seen, (std::vector<std::u16string>{u"Sheet2", u"x", u"cell"}));

    view.seen.clear();
    window.setView(nullptr);
    window.row.setText(u"4");
    window.columnSpinner.stepUp();
    EXPECT_TRUE(view.seen.empty());
    EXPECT_EQ(window.column.text(), u"3");
}

} // namespace
} // namespace sheetpush
