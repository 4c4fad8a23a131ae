#include "server/excel_linke.hpp"

#include "server/thread_link_window.hpp"

#include "fakes/fake_object.hpp"
#include "fakes/fake_platform.hpp"
#include "vocabulary/error_numbers.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace sheetpush {
namespace {

using fakes::DdeStep;

// Each thread owns a link window for good, so every test body runs on a thread of its own and
// starts from a new window on its own platform.
template <class Body> void onFreshThread(Body body) {
    std::thread(body).join();
}

const Variant sheet{u"ورقة1"};

Variant integer(std::int32_t value) {
    return Variant{value};
}

class ExcelLinkeTest : public ::testing::Test {
protected:
    fakes::FakePlatform platform;
    ExcelLinke linke{platform};

    LinkWindow& window() { return threadLinkWindow(platform); }
};

TEST_F(ExcelLinkeTest, SheetpushWritesColumnThenRowAndPokesRowFirst) {
    onFreshThread([&] {
        auto result = linke.Sheetpush(u"نص", integer(3), integer(5), sheet);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.value(), Variant{true});
        EXPECT_EQ(window().cellText.text(), u"نص");
        EXPECT_EQ(window().column.text(), u"3");
        EXPECT_EQ(window().row.text(), u"5");
        EXPECT_EQ(window().sheet.text(), u"ورقة1");
        EXPECT_EQ(platform.excel.cells[u"ورقة1!R5C3"], u"نص");
    });
}

TEST_F(ExcelLinkeTest, CallsOnOneThreadShareOneWindowThatKeepsItsFields) {
    onFreshThread([&] {
        ASSERT_TRUE(linke.Sheetpush(u"a", integer(2), integer(4), sheet).ok());
        auto* first = &window();
        ExcelLinke other{platform};
        ASSERT_TRUE(other.ImportFromExcel(integer(2), integer(4), sheet).ok());
        EXPECT_EQ(&window(), first);
        EXPECT_EQ(platform.windowsMade, 1);
        EXPECT_EQ(window().cellText.text(), u"a");
    });
    onFreshThread([&] { EXPECT_EQ(window().cellText.text(), u""); });
    EXPECT_EQ(platform.windowsMade, 2);
}

TEST_F(ExcelLinkeTest, AThreadsWindowIsOnThePlatformItIsAskedFor) {
    fakes::FakePlatform elsewhere;
    onFreshThread([&] {
        EXPECT_EQ(&threadLinkWindow(platform).platform(), &platform);
        EXPECT_EQ(&threadLinkWindow(elsewhere).platform(), &elsewhere);
    });
}

TEST_F(ExcelLinkeTest, ArgumentsByReferenceAreFollowed) {
    onFreshThread([&] {
        const Variant text{u"by ref"};
        const Variant column{std::int16_t{4}};
        auto result =
            linke.Sheetpush(VariantRef{&text}, VariantRef{&column}, integer(1), VariantRef{&sheet});
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.value(), Variant{true});
        EXPECT_EQ(platform.excel.cells[u"ورقة1!R1C4"], u"by ref");
    });
}

TEST_F(ExcelLinkeTest, AColumnThatIsNoNumberAddressesColumnZero) {
    onFreshThread([&] {
        platform.excel.refusedItems.insert(u"R2C0");
        auto result = linke.Sheetpush(u"x", u"abc", integer(2), sheet);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.value(), Variant{false});
        EXPECT_EQ(platform.excel.steps.back().topicOrItem, u"R2C0");
        EXPECT_EQ(platform.messages.shown.size(), 1u);
    });
}

TEST_F(ExcelLinkeTest, AnObjectGivesItsDefaultValue) {
    onFreshThread([&] {
        auto result =
            linke.Sheetpush(fakes::FakeObject::with(u"default"), integer(1), integer(1), sheet);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(window().cellText.text(), u"default");
    });
}

// Converting an object argument calls back into its client, and meanwhile another call can run
// on the same link window; each call still puts its own text into its own cell.
TEST_F(ExcelLinkeTest, ACallMadeWhileAnArgumentIsConvertedLeavesTheOtherCallsCellAlone) {
    onFreshThread([&] {
        Result<Variant> inner = Failure{};
        auto row = fakes::FakeObject::calling([&](fakes::FakeObject&) -> Result<Variant> {
            inner = ExcelLinke{platform}.Sheetpush(u"B", integer(5), integer(6), sheet);
            return integer(3);
        });
        auto outer = linke.Sheetpush(u"A", integer(2), row, sheet);
        ASSERT_TRUE(outer.ok() && inner.ok());
        EXPECT_EQ(outer.value(), Variant{true});
        EXPECT_EQ(inner.value(), Variant{true});
        EXPECT_EQ(platform.excel.cells, (std::map<std::u16string, std::u16string>{
                                            {u"ورقة1!R3C2", u"A"}, {u"ورقة1!R6C5", u"B"}}));
    });
}

struct FailedCall {
    const char* name;
    Variant txt;
    Variant Col;
    Variant Row;
    Variant Sheet;
    std::int32_t error;
    // The texts of cellText to sheet after the call; a new window holds "", "1", "1", "ورقة1".
    std::vector<std::u16string> fields;
};

void PrintTo(const FailedCall& c, std::ostream* out) {
    *out << c.name;
}

class SheetpushFailureTest : public ExcelLinkeTest,
                             public ::testing::WithParamInterface<FailedCall> {};

TEST_P(SheetpushFailureTest, EndsAtTheFailingArgumentWithoutSending) {
    onFreshThread([&] {
        const auto& c = GetParam();
        auto result = linke.Sheetpush(c.txt, c.Col, c.Row, c.Sheet);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure().number, c.error);
        EXPECT_EQ(platform.windowsMade, 1);
        EXPECT_EQ((std::vector<std::u16string>{window().cellText.text(), window().column.text(),
                                               window().row.text(), window().sheet.text()}),
                  c.fields);
        EXPECT_TRUE(platform.excel.steps.empty());
        EXPECT_TRUE(platform.messages.shown.empty());
    });
}

INSTANTIATE_TEST_SUITE_P(Arguments, SheetpushFailureTest,
                         ::testing::Values(FailedCall{"nullSheet",
                                                      u"t",
                                                      integer(3),
                                                      integer(5),
                                                      Null{},
                                                      error::invalidUseOfNull,
                                                      {u"t", u"3", u"5", u"ورقة1"}},
                                           FailedCall{"nullText",
                                                      Null{},
                                                      integer(3),
                                                      integer(5),
                                                      u"other",
                                                      error::invalidUseOfNull,
                                                      {u"", u"1", u"1", u"ورقة1"}},
                                           FailedCall{"arrayRow",
                                                      u"t",
                                                      integer(3),
                                                      Array{{{0, 2}},
                                                            {Variant{std::int32_t{1}},
                                                             Variant{std::int32_t{2}}}},
                                                      u"other",
                                                      error::typeMismatch,
                                                      {u"t", u"3", u"1", u"ورقة1"}},
                                           FailedCall{"objectWithoutDefaultAsColumn",
                                                      u"t",
                                                      fakes::FakeObject::without(),
                                                      integer(5),
                                                      u"other",
                                                      error::noDefaultMember,
                                                      {u"t", u"1", u"1", u"ورقة1"}}),
                         [](const auto& info) { return info.param.name; });

TEST_F(ExcelLinkeTest, ImportFailureEndsBeforeRequesting) {
    onFreshThread([&] {
        auto result = linke.ImportFromExcel(integer(3), Null{}, sheet);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure().number, error::invalidUseOfNull);
        EXPECT_EQ(window().column.text(), u"3");
        EXPECT_TRUE(platform.excel.steps.empty());
    });
}

TEST_F(ExcelLinkeTest, ImportReturnsTheCellTextAsACopy) {
    onFreshThread([&] {
        platform.excel.cells[u"ورقة1!R5C3"] = u"من الخلية\r\n";
        auto result = linke.ImportFromExcel(integer(3), integer(5), sheet);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.value(), Variant{u"من الخلية\r\n"});
        EXPECT_EQ(platform.excel.steps.back(),
                  (DdeStep{DdeStep::request, u"", u"R5C3", u"", transferTimeout}));
        ASSERT_TRUE(linke.Sheetpush(u"later", integer(1), integer(1), sheet).ok());
        EXPECT_EQ(result.value(), Variant{u"من الخلية\r\n"});
    });
}

TEST_F(ExcelLinkeTest, AFailedImportReturnsAnEmptyStringNotTheOlderText) {
    onFreshThread([&] {
        ASSERT_TRUE(linke.Sheetpush(u"older", integer(1), integer(1), sheet).ok());
        platform.excel.refusedItems.insert(u"R2C2");
        auto result = linke.ImportFromExcel(integer(2), integer(2), sheet);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.value(), Variant{std::u16string()});
        EXPECT_EQ(window().cellText.text(), u"older");
        EXPECT_EQ(platform.messages.shown.size(), 1u);
    });
}

TEST_F(ExcelLinkeTest, AFailedSendIsFalseNotAnError) {
    onFreshThread([&] {
        auto result = linke.Sheetpush(u"t", integer(1), integer(1), u"ورقة9");
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.value(), Variant{false});
        EXPECT_EQ(platform.messages.shown.size(), 1u);
    });
}

} // namespace
} // namespace sheetpush
