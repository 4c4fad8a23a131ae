#include "controls/spinner.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>

namespace sheetpush {
namespace {

struct SpinnerCase {
    const char* name;
    std::int64_t start;
    std::int64_t set;
    bool accepted;
    std::int32_t after;
    int notifications;
};

void PrintTo(const SpinnerCase& c, std::ostream* out) {
    *out << c.name;
}

class SpinnerTest : public ::testing::TestWithParam<SpinnerCase> {};

TEST_P(SpinnerTest, SetValueKeepsRangeAndNotifiesOnlyOnChange) {
    const auto& c = GetParam();
    Spinner spinner(0, 10000);
    ASSERT_TRUE(spinner.setValue(c.start).ok());
    int notified = 0;
    spinner.onChange([&] { ++notified; });
    EXPECT_EQ(spinner.setValue(c.set).ok(), c.accepted);
    EXPECT_EQ(spinner.value(), c.after);
    EXPECT_EQ(notified, c.notifications);
}

INSTANTIATE_TEST_SUITE_P(Values, SpinnerTest,
                         ::testing::Values(SpinnerCase{"same", 1, 1, true, 1, 0},
                                           SpinnerCase{"changed", 1, 2, true, 2, 1},
                                           SpinnerCase{"lowest", 1, 0, true, 0, 1},
                                           SpinnerCase{"highest", 1, 10000, true, 10000, 1},
                                           SpinnerCase{"above", 1, 10001, false, 1, 0},
                                           SpinnerCase{"below", 1, -1, false, 1, 0},
                                           SpinnerCase{"beyond32bits", 1, 4294967297, false, 1, 0}),
                         [](const auto& info) { return info.param.name; });

TEST(SpinnerArrows, StepFromTheValueAndStopAtTheEnds) {
    Spinner spinner(0, 2);
    spinner.stepDown();
    EXPECT_EQ(spinner.value(), 0);
    spinner.stepUp();
    spinner.stepUp();
    spinner.stepUp();
    EXPECT_EQ(spinner.value(), 2);
}

} // namespace
} // namespace sheetpush
