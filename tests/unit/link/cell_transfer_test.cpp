#include "link/cell_transfer.hpp"

#include "fakes/fake_platform.hpp"
#include "window/link_window_test.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace sheetpush {
namespace {

using fakes::DdeStep;
using fakes::ShownMessage;

const std::u16string prompt = u"فشلت عملية الربط ، تأكد من تواجد الهدف";
const std::u16string title = u"الربط مع الأكسل";

ShownMessage linkFailure(const std::u16string& description) {
    return {prompt + u'\r' + description, title, 0x180040};
}

class CellTransferTest : public LinkWindowTest {
protected:
    std::u16string noConversationText() {
        fakes::FakeExcel idle;
        LinkedTextBox box{[&idle] { return std::make_unique<fakes::FakeConversation>(idle); }};
        box.linkTopic = window.cellText.linkTopic;
        return box.poke(box.text()).failure().description;
    }
};

TEST_F(CellTransferTest, SendConnectsThenPokesTheNewItemAndLeavesTheText) {
    address(u"3", u"2");
    window.cellText.setText(u"قيمة");
    EXPECT_TRUE(window.send());
    EXPECT_EQ(platform.excel.steps,
              (std::vector<DdeStep>{{DdeStep::connect, u"Excel", u"ورقة1", u"", transferTimeout},
                                    {DdeStep::poke, u"", u"R3C2", u"قيمة", transferTimeout}}));
    EXPECT_EQ(platform.excel.cells[u"ورقة1!R3C2"], u"قيمة");
    EXPECT_EQ(window.cellText.text(), u"قيمة");
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(window.cellText.linkTimeout, 100);
    EXPECT_EQ(window.cellText.linkItem, u"R3C2");
    EXPECT_EQ(window.cellText.linkTopic, u"Excel|ورقة1");
    EXPECT_EQ(window.cellText.linkMode(), LinkMode::manual);
}

TEST_F(CellTransferTest, RequestPutsTheReplyIntoTheCellTextAsSent) {
    platform.excel.topics.insert(u"Sheet 2");
    platform.excel.cells[u"Sheet 2!R4C7"] = u"line\r\nnext\r\n";
    address(u"4", u"7", u"Sheet 2");
    window.cellText.setText(u"old");
    EXPECT_TRUE(window.request());
    EXPECT_EQ(window.cellText.text(), u"line\r\nnext\r\n");
    EXPECT_EQ(platform.excel.steps,
              (std::vector<DdeStep>{{DdeStep::connect, u"Excel", u"Sheet 2", u"", transferTimeout},
                                    {DdeStep::request, u"", u"R4C7", u"", transferTimeout}}));
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(CellTransferTest, AnEmptyTextIsPokedLikeAnyOther) {
    address(u"1", u"1");
    platform.excel.cells[u"ورقة1!R1C1"] = u"before";
    EXPECT_TRUE(window.send());
    EXPECT_EQ(platform.excel.steps.back(),
              (DdeStep{DdeStep::poke, u"", u"R1C1", u"", transferTimeout}));
    EXPECT_EQ(platform.excel.cells[u"ورقة1!R1C1"], u"");
}

// Refused with one message before the link is touched: not even a conversation is opened. (A TAB
// or CR LF inside a text, and a NUL in a text or a sheet name, are shown end to end.)
TEST_F(CellTransferTest, TextsAndSheetsThatWouldBeCutAreRefusedBeforeAnythingIsSent) {
    const struct {
        const char* what;
        std::u16string text;
        std::u16string sheet;
        bool request;
    } cases[] = {
        {"a lone CR", u"a\rb", u"ورقة1", false},
        {"a lone LF", u"a\nb", u"ورقة1", false},
        {"two line ends at the end, one dropped", u"a\r\n\r\n", u"ورقة1", false},
        {"a request on a sheet whose name holds a NUL", u"", std::u16string(u"ورقة1\0x", 7), true},
    };
    for (const auto& c : cases) {
        platform.messages.shown.clear();
        address(u"3", u"2", c.sheet);
        window.cellText.setText(c.text);
        EXPECT_FALSE(c.request ? window.request() : window.send()) << c.what;
        ASSERT_EQ(platform.messages.shown.size(), 1u) << c.what;
        EXPECT_TRUE(platform.messages.shown[0].prompt.starts_with(prompt + u'\r')) << c.what;
        EXPECT_TRUE(platform.excel.steps.empty()) << c.what;
        EXPECT_EQ(window.cellText.text(), c.text) << c.what;
    }
}

struct FailureCase {
    const char* name;
    std::function<void(fakes::FakeExcel&)> excel;
    std::u16string row;
    std::u16string column;
    std::u16string sheet;
    // Empty: the description of a transfer without an open conversation.
    std::u16string lastDescription;
    std::u16string transferredItem;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class CellTransferFailureTest : public CellTransferTest,
                                public ::testing::WithParamInterface<FailureCase> {
protected:
    void check(bool result, bool poked) {
        const auto& c = GetParam();
        EXPECT_FALSE(result);
        auto description = c.lastDescription.empty() ? noConversationText() : c.lastDescription;
        EXPECT_EQ(platform.messages.shown, std::vector<ShownMessage>{linkFailure(description)});
        // A refused cell may be asked for in other letters afterwards.
        auto transfer =
            std::find_if(platform.excel.steps.begin(), platform.excel.steps.end(),
                         [&](const DdeStep& step) { return step.kind != DdeStep::connect; });
        EXPECT_EQ(transfer == platform.excel.steps.end(), c.transferredItem.empty());
        if (!c.transferredItem.empty() && transfer != platform.excel.steps.end()) {
            EXPECT_EQ(*transfer,
                      (DdeStep{poked ? DdeStep::poke : DdeStep::request, u"", c.transferredItem,
                               poked ? u"text" : u"", transferTimeout}));
        }
        EXPECT_EQ(window.cellText.text(), u"text");
    }
};

TEST_P(CellTransferFailureTest, SendShowsOneMessageWithTheLastFailure) {
    const auto& c = GetParam();
    c.excel(platform.excel);
    address(c.row, c.column, c.sheet);
    window.cellText.setText(u"text");
    check(window.send(), true);
}

TEST_P(CellTransferFailureTest, RequestShowsOneMessageWithTheLastFailure) {
    const auto& c = GetParam();
    c.excel(platform.excel);
    address(c.row, c.column, c.sheet);
    window.cellText.setText(u"text");
    check(window.request(), false);
}

// A failed opening is followed by a transfer without a conversation, whose failure is the last.
INSTANTIATE_TEST_SUITE_P(
    Causes, CellTransferFailureTest,
    ::testing::Values(FailureCase{"unknownSheet", [](auto&) {}, u"3", u"2", u"ورقة9", u"", u""},
                      FailureCase{"excelNotAnswering", [](auto& excel) { excel.answers = false; },
                                  u"3", u"2", u"ورقة1", u"", u""},
                      FailureCase{"refusedCell",
                                  [](auto& excel) { excel.refusedItems.insert(u"R3C2"); }, u"3",
                                  u"2", u"ورقة1", u"refused: R3C2", u"R3C2"},
                      FailureCase{"emptyRowAndColumn",
                                  [](auto& excel) { excel.refusedItems.insert(u"R0C0"); }, u"", u"",
                                  u"ورقة1", u"refused: R0C0", u"R0C0"},
                      FailureCase{"negativeRowIsRefusedNotMovedToRowThree",
                                  [](auto& excel) { excel.refusedItems.insert(u"R-3C2"); }, u"-3",
                                  u"2", u"ورقة1", u"refused: R-3C2", u"R-3C2"},
                      FailureCase{"hexMinusOneIsRefusedNotMovedToRowOne",
                                  [](auto& excel) { excel.refusedItems.insert(u"R-1C1"); },
                                  u"&HFFFF", u"1", u"ورقة1", u"refused: R-1C1", u"R-1C1"}),
    [](const auto& info) { return info.param.name; });

TEST_F(CellTransferTest, AnOverflowingRowFailsEvenWhenTheTransferSucceeds) {
    address(u"1E400", u"2");
    window.cellText.setText(u"text");
    EXPECT_FALSE(window.send());
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    const auto& shown = platform.messages.shown[0];
    EXPECT_TRUE(shown.prompt.starts_with(prompt + u'\r'));
    EXPECT_NE(shown.prompt.find(u"1E400"), std::u16string::npos);
    EXPECT_EQ(platform.excel.steps.back().topicOrItem, u"R0C2");
}

TEST_F(CellTransferTest, EachFailedOperationShowsOnlyItsOwnFailure) {
    platform.excel.refusedItems.insert(u"R3C2");
    address(u"3", u"2");
    EXPECT_FALSE(window.send());
    platform.excel.topics.insert(u"ورقة2");
    platform.excel.refusedItems = {u"R5C2"};
    address(u"5", u"2", u"ورقة2");
    EXPECT_FALSE(window.request());
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{linkFailure(u"refused: R3C2"),
                                                                  linkFailure(u"refused: R5C2")}));
}

TEST_F(CellTransferTest, ASuccessAfterAFailureForgetsTheFailure) {
    address(u"3", u"2", u"ورقة9");
    EXPECT_FALSE(window.send());
    address(u"3", u"2", u"ورقة1");
    EXPECT_TRUE(window.send());
    EXPECT_TRUE(window.request());
    EXPECT_EQ(platform.messages.shown.size(), 1u);
}

TEST_F(CellTransferTest, EveryOperationOpensTheConversationOnTheTopicItJustSet) {
    platform.excel.topics.insert(u"ورقة2");
    address(u"1", u"1", u"ورقة1");
    EXPECT_TRUE(window.send());
    address(u"1", u"1", u"ورقة2");
    EXPECT_TRUE(window.send());
    EXPECT_EQ(platform.excel.steps[2],
              (DdeStep{DdeStep::connect, u"Excel", u"ورقة2", u"", transferTimeout}));
    EXPECT_EQ(platform.excel.cells.count(u"ورقة2!R1C1"), 1u);
}

} // namespace
} // namespace sheetpush
