#include "fakes/fake_platform.hpp"
#include "window/link_window.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace sheetpush {
namespace {

class WindowEvents : public ::testing::Test {
protected:
    long pokes() const {
        return std::count_if(platform.excel.steps.begin(), platform.excel.steps.end(),
                             [](const auto& step) { return step.kind == fakes::DdeStep::poke; });
    }

    fakes::FakePlatform platform;
    LinkWindow window{platform};
};

struct KeyDown {
    std::int16_t keyCode;
    std::int16_t shift;
    long sends;
};

// Shift states are the sum of Shift 1, Ctrl 2 and Alt 4.
const KeyDown keyDowns[] = {
    {13, 0, 1}, {13, 1, 1}, {13, 2, 1}, {13, 4, 1}, {13, 7, 1},
    {10, 0, 0}, {32, 0, 0}, {0, 0, 0},  {9, 0, 0},  {269, 0, 0},
};

TEST_F(WindowEvents, EnterInTheCellTextSendsWhateverTheShiftState) {
    window.cellText.setText(u"نص");
    for (std::size_t i = 0; i < std::size(keyDowns); ++i) {
        SCOPED_TRACE(::testing::Message() << "key down " << i);
        const auto before = pokes();
        window.onCellTextKeyDown(keyDowns[i].keyCode, keyDowns[i].shift);
        EXPECT_EQ(pokes() - before, keyDowns[i].sends);
    }
    EXPECT_EQ(window.cellText.text(), u"نص");
}

TEST_F(WindowEvents, EveryRepeatOfAHeldEnterSendsAgain) {
    for (int repeat = 0; repeat < 3; ++repeat)
        window.onCellTextKeyDown(13, 0);
    EXPECT_EQ(pokes(), 3);
}

TEST_F(WindowEvents, SendButtonPokesTheFieldsAsTheyStand) {
    window.column.setText(u"abc");
    window.row.setText(u"3");
    window.onSendClick();
    ASSERT_EQ(pokes(), 1);
    const auto& poke = platform.excel.steps.back();
    EXPECT_EQ(poke.topicOrItem, u"R3C0");
    EXPECT_EQ(poke.text, u"");
    EXPECT_EQ(window.column.text(), u"0");
}

TEST_F(WindowEvents, AFailedSendIsReportedBySendAlone) {
    platform.excel.answers = false;
    window.onSendClick();
    window.onCellTextKeyDown(13, 1);
    EXPECT_EQ(platform.messages.shown.size(), 2u);
}

TEST_F(WindowEvents, BrowseCancelOnANewWindowEmptiesTheCommandLine) {
    window.onBrowseClick();
    EXPECT_EQ(window.commandLine.text(), u"");
    ASSERT_EQ(platform.dialog.requests.size(), 1u);
    const auto& shown = platform.dialog.requests[0];
    EXPECT_EQ(shown.title, u"تحديد مصنف أكسل");
    EXPECT_EQ(shown.filter, u"ملفات أكسل|*.xls|كافة الملفات|*.*");
    EXPECT_EQ(shown.fileName, u"");
    EXPECT_EQ(shown.maxFileSize, 10000u);
}

TEST_F(WindowEvents, BrowseChoiceIsTakenUnquotedAndComesBackAfterACancel) {
    platform.dialog.answers = {u"D:\\My Books\\a b.xls"};
    window.onBrowseClick();
    EXPECT_EQ(window.commandLine.text(), u"D:\\My Books\\a b.xls");

    window.commandLine.setText(u"typed by hand");
    window.onBrowseClick();
    EXPECT_EQ(window.commandLine.text(), u"D:\\My Books\\a b.xls");
    EXPECT_EQ(platform.dialog.requests.back().fileName, u"D:\\My Books\\a b.xls");
    EXPECT_TRUE(platform.messages.shown.empty());
}

} // namespace
} // namespace sheetpush
