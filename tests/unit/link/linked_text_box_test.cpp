#include "link/linked_text_box.hpp"

#include "fakes/fake_platform.hpp"
#include "vocabulary/error_numbers.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace sheetpush {
namespace {

using fakes::DdeStep;
using namespace std::chrono_literals;

class LinkedTextBoxTest : public ::testing::Test {
protected:
    fakes::FakeExcel excel;
    LinkedTextBox box{[this] { return std::make_unique<fakes::FakeConversation>(excel); }};

    void expectNoConversation(const Status& status) {
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.failure().number, error::ddeNoConversation);
        EXPECT_NE(status.failure().description.find(box.linkTopic), std::u16string::npos);
    }
};

TEST_F(LinkedTextBoxTest, StartsWithTheWindowDefaultsAndNoConversation) {
    EXPECT_EQ(box.linkTopic, u"Excel|ورقة1");
    EXPECT_EQ(box.linkItem, u"R1C1");
    EXPECT_EQ(box.linkTimeout, 100);
    EXPECT_EQ(box.linkMode(), LinkMode::none);
    expectNoConversation(box.poke(box.text()));
    expectNoConversation(box.request());
    EXPECT_TRUE(excel.steps.empty());
}

TEST_F(LinkedTextBoxTest, ManualModeConnectsOnTheTopicSplitAtTheFirstBar) {
    excel.topics.insert(u"a|b");
    box.linkTopic = u"Excel|a|b";
    box.linkTimeout = 25;
    EXPECT_TRUE(box.setLinkMode(LinkMode::manual).ok());
    EXPECT_EQ(box.linkMode(), LinkMode::manual);
    EXPECT_EQ(excel.steps,
              (std::vector<DdeStep>{{DdeStep::connect, u"Excel", u"a|b", u"", 2500ms}}));
}

TEST_F(LinkedTextBoxTest, TopicWithoutBarIsAllApplication) {
    box.linkTopic = u"Excel";
    EXPECT_FALSE(box.setLinkMode(LinkMode::manual).ok());
    EXPECT_EQ(excel.steps,
              (std::vector<DdeStep>{{DdeStep::connect, u"Excel", u"", u"", transferTimeout}}));
}

TEST_F(LinkedTextBoxTest, TransfersAfterAFailedConnectNeverReachThePartner) {
    box.linkTopic = u"Excel|ورقة9";
    auto status = box.setLinkMode(LinkMode::manual);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.failure().number, error::ddeNoPartner);
    EXPECT_EQ(box.linkMode(), LinkMode::none);
    expectNoConversation(box.poke(box.text()));
    expectNoConversation(box.request());
    EXPECT_EQ(excel.steps.size(), 1u);
}

TEST_F(LinkedTextBoxTest, AFailedReconnectDropsTheEarlierConversation) {
    ASSERT_TRUE(box.setLinkMode(LinkMode::manual).ok());
    excel.hangUp(u"ورقة1");
    excel.answers = false;
    EXPECT_FALSE(box.setLinkMode(LinkMode::manual).ok());
    expectNoConversation(box.poke(box.text()));
}

TEST_F(LinkedTextBoxTest, ModeNoneEndsTheLink) {
    ASSERT_TRUE(box.setLinkMode(LinkMode::manual).ok());
    EXPECT_TRUE(box.setLinkMode(LinkMode::none).ok());
    EXPECT_EQ(box.linkMode(), LinkMode::none);
    expectNoConversation(box.poke(box.text()));
}

TEST_F(LinkedTextBoxTest, PokeSendsTheTextGivenAndLeavesTheFieldsOwn) {
    box.setText(u"نص\r\n");
    box.linkItem = u"R2C3";
    ASSERT_TRUE(box.setLinkMode(LinkMode::manual).ok());
    EXPECT_TRUE(box.poke(u"نص").ok());
    EXPECT_EQ(box.text(), u"نص\r\n");
    EXPECT_EQ(excel.steps.back(), (DdeStep{DdeStep::poke, u"", u"R2C3", u"نص", transferTimeout}));
    EXPECT_EQ(excel.cells[u"ورقة1!R2C3"], u"نص");
}

TEST_F(LinkedTextBoxTest, RequestReplacesTheTextExactlyAsSent) {
    excel.cells[u"ورقة1!R1C1"] = u" a\r\nb\r\n";
    box.setText(u"old");
    ASSERT_TRUE(box.setLinkMode(LinkMode::manual).ok());
    EXPECT_TRUE(box.request().ok());
    EXPECT_EQ(box.text(), u" a\r\nb\r\n");
}

TEST_F(LinkedTextBoxTest, RefusedTransfersReportThePartnersFailureAndKeepTheText) {
    excel.refusedItems.insert(u"R0C0");
    box.linkItem = u"R0C0";
    box.setText(u"old");
    ASSERT_TRUE(box.setLinkMode(LinkMode::manual).ok());
    auto poke = box.poke(box.text());
    auto request = box.request();
    ASSERT_FALSE(poke.ok() || request.ok());
    EXPECT_EQ(poke.failure().number, error::ddeRefused);
    EXPECT_EQ(request.failure().number, error::ddeRefused);
    EXPECT_EQ(box.text(), u"old");
}

// A run of uses of the link, and the conversations Excel saw open ("+sheet") and saw the link end
// ("-sheet"). Each use sets the topic to a sheet and pokes; "~sheet" is Excel ending its
// conversation on that sheet. Excel knows the sheets S1 to S9, A and B.
struct CacheCase {
    const char* name;
    std::vector<std::u16string> uses;
    std::vector<std::u16string> conversations;
};

void PrintTo(const CacheCase& c, std::ostream* out) {
    *out << c.name;
}

// "S1" to "S<last>", each with the prefix given.
std::vector<std::u16string> sheets(std::u16string_view prefix, int last) {
    std::vector<std::u16string> names;
    for (int i = 1; i <= last; ++i)
        names.push_back(std::u16string(prefix) + u"S" + static_cast<char16_t>(u'0' + i));
    return names;
}

std::vector<std::u16string> joined(std::initializer_list<std::vector<std::u16string>> parts) {
    std::vector<std::u16string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class ConversationCacheTest : public LinkedTextBoxTest,
                              public ::testing::WithParamInterface<CacheCase> {
protected:
    ConversationCacheTest() { excel.topics = {u"A", u"B"}; }

    // The sheet as Excel names it, or none when it has no such sheet.
    std::optional<std::u16string> sheetOf(std::u16string_view name) const {
        auto found = std::find_if(excel.topics.begin(), excel.topics.end(),
                                  [&](const auto& sheet) { return fakes::sameName(sheet, name); });
        if (found == excel.topics.end())
            return std::nullopt;
        return *found;
    }
};

TEST_P(ConversationCacheTest, EachSheetKeepsOneConversationWhileOthersComeAndGo) {
    for (const auto& sheet : sheets(u"", 9))
        excel.topics.insert(sheet);
    int use = 0;
    for (const auto& name : GetParam().uses) {
        if (name.starts_with(u'~')) {
            excel.hangUp(name.substr(1));
            continue;
        }
        auto text = u"use " + std::u16string(1, static_cast<char16_t>(u'A' + use++));
        box.linkTopic = u"Excel|" + name;
        box.setText(text);
        auto opened = box.setLinkMode(LinkMode::manual);
        auto poked = box.poke(box.text());
        auto sheet = sheetOf(name);
        EXPECT_EQ(opened.ok() && poked.ok(), sheet.has_value()) << ::testing::PrintToString(name);
        if (sheet) {
            EXPECT_EQ(excel.cells[*sheet + u"!R1C1"], text) << ::testing::PrintToString(name);
        }
    }
    EXPECT_EQ(excel.conversations, GetParam().conversations);
}

INSTANTIATE_TEST_SUITE_P(
    Uses, ConversationCacheTest,
    ::testing::Values(
        CacheCase{"aSheetKeepsItsConversationInAnyLetterCase", {u"A", u"A", u"a"}, {u"+A"}},
        CacheCase{"sheetsInTurnKeepOneEach", {u"A", u"B", u"A", u"B"}, {u"+A", u"+B"}},
        CacheCase{"theLeastRecentlyUsedMakesWayForTheNinthOnceItOpened",
                  joined({sheets(u"", 8), {u"S1", u"S9", u"S1", u"S2"}}),
                  joined({sheets(u"+", 9), {u"-S2", u"+S2", u"-S3"}})},
        CacheCase{"aConversationExcelEndedIsOpenedAgainAndTheOthersStay",
                  {u"A", u"B", u"~A", u"B", u"A", u"B"},
                  {u"+A", u"+B", u"+A"}},
        CacheCase{"aRefusedSheetCostsTheOthersNothing",
                  joined({sheets(u"", 8), {u"Nowhere"}, sheets(u"", 8)}), sheets(u"+", 8)}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace sheetpush
