#include "link/linked_text_box.hpp"

#include "fakes/fake_platform.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace sheetpush {
namespace {

using fakes::DdeStep;

class LinkedTextBoxTest : public ::testing::Test {
protected:
    fakes::FakeExcel excel;
    LinkedTextBox box{std::make_unique<fakes::FakeConversation>(excel)};

    void expectNoConversation(const Status& status) {
        ASSERT_TRUE(status);
        EXPECT_EQ(status->number, error::ddeNoConversation);
        EXPECT_NE(status->description.find(box.LinkTopic), std::u16string::npos);
    }
};

TEST_F(LinkedTextBoxTest, StartsWithTheWindowDefaultsAndNoConversation) {
    EXPECT_EQ(box.LinkTopic, u"Excel|ورقة1");
    EXPECT_EQ(box.LinkItem, u"R1C1");
    EXPECT_EQ(box.LinkTimeout, 100);
    EXPECT_EQ(box.linkMode(), LinkMode::none);
    expectNoConversation(box.LinkPoke());
    expectNoConversation(box.LinkRequest());
    EXPECT_TRUE(excel.steps.empty());
}

TEST_F(LinkedTextBoxTest, ManualModeConnectsOnTheTopicSplitAtTheFirstBar) {
    excel.topics.insert(u"a|b");
    box.LinkTopic = u"Excel|a|b";
    box.LinkTimeout = 25;
    EXPECT_FALSE(box.setLinkMode(LinkMode::manual));
    EXPECT_EQ(box.linkMode(), LinkMode::manual);
    EXPECT_EQ(excel.steps, (std::vector<DdeStep>{{DdeStep::connect, u"Excel", u"a|b", u"", 2500}}));
}

TEST_F(LinkedTextBoxTest, TopicWithoutBarIsAllApplication) {
    box.LinkTopic = u"Excel";
    EXPECT_TRUE(box.setLinkMode(LinkMode::manual));
    EXPECT_EQ(excel.steps, (std::vector<DdeStep>{{DdeStep::connect, u"Excel", u"", u"", 10000}}));
}

TEST_F(LinkedTextBoxTest, TransfersAfterAFailedConnectNeverReachThePartner) {
    box.LinkTopic = u"Excel|ورقة9";
    auto status = box.setLinkMode(LinkMode::manual);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->number, error::ddeNoPartner);
    EXPECT_EQ(box.linkMode(), LinkMode::none);
    expectNoConversation(box.LinkPoke());
    expectNoConversation(box.LinkRequest());
    EXPECT_EQ(excel.steps.size(), 1u);
}

TEST_F(LinkedTextBoxTest, AFailedReconnectDropsTheEarlierConversation) {
    ASSERT_FALSE(box.setLinkMode(LinkMode::manual));
    excel.answers = false;
    EXPECT_TRUE(box.setLinkMode(LinkMode::manual));
    expectNoConversation(box.LinkPoke());
}

TEST_F(LinkedTextBoxTest, ModeNoneEndsTheLink) {
    ASSERT_FALSE(box.setLinkMode(LinkMode::manual));
    EXPECT_FALSE(box.setLinkMode(LinkMode::none));
    EXPECT_EQ(box.linkMode(), LinkMode::none);
    expectNoConversation(box.LinkPoke());
}

TEST_F(LinkedTextBoxTest, PokeSendsTheTextAndLeavesIt) {
    box.setText(u"نص");
    box.LinkItem = u"R2C3";
    ASSERT_FALSE(box.setLinkMode(LinkMode::manual));
    EXPECT_FALSE(box.LinkPoke());
    EXPECT_EQ(box.text(), u"نص");
    EXPECT_EQ(excel.steps.back(), (DdeStep{DdeStep::poke, u"", u"R2C3", u"نص", 10000}));
    EXPECT_EQ(excel.cells[u"ورقة1!R2C3"], u"نص");
}

TEST_F(LinkedTextBoxTest, RequestReplacesTheTextExactlyAsSent) {
    excel.cells[u"ورقة1!R1C1"] = u" a\r\nb\r\n";
    box.setText(u"old");
    ASSERT_FALSE(box.setLinkMode(LinkMode::manual));
    EXPECT_FALSE(box.LinkRequest());
    EXPECT_EQ(box.text(), u" a\r\nb\r\n");
}

TEST_F(LinkedTextBoxTest, RefusedTransfersReportThePartnersFailureAndKeepTheText) {
    excel.refusedItems.insert(u"R0C0");
    box.LinkItem = u"R0C0";
    box.setText(u"old");
    ASSERT_FALSE(box.setLinkMode(LinkMode::manual));
    auto poke = box.LinkPoke();
    auto request = box.LinkRequest();
    ASSERT_TRUE(poke && request);
    EXPECT_EQ(poke->number, error::ddeRefused);
    EXPECT_EQ(request->number, error::ddeRefused);
    EXPECT_EQ(box.text(), u"old");
}

} // namespace
} // namespace sheetpush
