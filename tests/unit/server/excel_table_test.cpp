#include "server/excel_table.hpp"

#include "fakes/fake_object.hpp"
#include "fakes/fake_platform.hpp"
#include "server/thread_link_window.hpp"
#include "vocabulary/error_numbers.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace sheetpush {
namespace {

using fakes::DdeStep;

const std::u16string prompt = u"فشلت عملية الربط ، تأكد من تواجد الهدف";
const Variant sheet{u"ورقة1"};

Variant integer(std::int32_t value) {
    return Variant{value};
}

// An array of the given dimensions, its elements in the client's layout: the first index
// changing fastest.
Variant array(std::vector<Array::Dimension> dimensions, std::vector<Variant> elements) {
    return Array{std::move(dimensions), std::move(elements)};
}

// Each thread owns a link window for good, so every test body runs on a thread of its own.
template <class Body> void onFreshThread(Body body) {
    std::thread(body).join();
}

class ExcelTableTest : public ::testing::Test {
protected:
    fakes::FakePlatform platform;
    ExcelTable tables{platform};

    LinkWindow& window() { return threadLinkWindow(platform); }

    std::vector<std::u16string> fields() {
        return {window().cellText.text(), window().column.text(), window().row.text(),
                window().sheet.text()};
    }
};

TEST_F(ExcelTableTest, ValuesGoRowByRowAsSheetpushWouldWriteEachOfThem) {
    const struct {
        const char* what;
        Variant values;
        std::u16string item;
        std::u16string text;
    } cases[] = {
        {"two rows of three, from bounds 1 and 0",
         array({{1, 2}, {0, 3}}, {u"a", u"d", u"b", Empty{}, u"c", u"f"}), u"R3C2:R4C4",
         u"a\tb\tc\r\nd\t\tf\r\n"},
        {"one dimension is one row", array({{0, 3}}, {u"a", u"b", u"c"}), u"R3C2:R3C4",
         u"a\tb\tc\r\n"},
        {"numbers, Booleans, an object's default value and a reference, as texts",
         array({{0, 5}},
               {integer(7), 2.5, true, fakes::FakeObject::with(u"x"), Variant{VariantRef{&sheet}}}),
         u"R3C2:R3C6", u"7\t2.5\tTrue\tx\tورقة1\r\n"},
        {"an object whose default value is the array",
         fakes::FakeObject::with(array({{0, 1}}, {u"من كائن"})), u"R3C2", u"من كائن\r\n"},
    };
    for (const auto& c : cases)
        onFreshThread([&] {
            auto result = tables.SheetpushTable(c.values, integer(2), integer(3), sheet);
            ASSERT_TRUE(result.ok()) << c.what;
            EXPECT_EQ(result.value(), Variant{true}) << c.what;
            EXPECT_EQ(platform.excel.steps.back(),
                      (DdeStep{DdeStep::poke, u"", c.item, c.text, transferTimeout}))
                << c.what;
            EXPECT_EQ(fields(), (std::vector<std::u16string>{u"", u"2", u"3", u"ورقة1"})) << c.what;
        });
    EXPECT_TRUE(platform.messages.shown.empty());
}

// Refused with the link failure message before any field is written or anything is sent.
TEST_F(ExcelTableTest, ValuesThatAreNoTableAreRefused) {
    const struct {
        const char* what;
        Variant values;
        std::u16string description;
    } cases[] = {
        {"a text", u"a", u"لم يُرسل الجدول: القيم ليست مصفوفة"},
        {"Null", Null{}, u"لم يُرسل الجدول: القيم ليست مصفوفة"},
        {"three dimensions", array({{0, 1}, {0, 1}, {0, 1}}, {u"a"}),
         u"لم يُرسل الجدول: للقيم 3 أبعاد، والجدول صف واحد من بعد واحد أو صفوف وأعمدة من "
         u"بعدين"},
    };
    for (const auto& c : cases)
        onFreshThread([&] {
            platform.messages.shown.clear();
            auto result = tables.SheetpushTable(c.values, integer(2), integer(3), sheet);
            ASSERT_TRUE(result.ok()) << c.what;
            EXPECT_EQ(result.value(), Variant{false}) << c.what;
            ASSERT_EQ(platform.messages.shown.size(), 1u) << c.what;
            EXPECT_EQ(platform.messages.shown[0].prompt, prompt + u'\r' + c.description) << c.what;
            EXPECT_EQ(fields(), (std::vector<std::u16string>{u"", u"1", u"1", u"ورقة1"}));
        });
    EXPECT_TRUE(platform.excel.steps.empty());
}

// As for Sheetpush, a value without a text is the client's error, not a refusal by Excel.
TEST_F(ExcelTableTest, AnElementWithoutATextEndsTheCallBeforeAnythingIsWritten) {
    onFreshThread([&] {
        auto result = tables.SheetpushTable(array({{1, 2}, {1, 2}}, {u"a", u"b", u"c", Null{}}),
                                            integer(2), integer(3), sheet);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure().number, error::invalidUseOfNull);
        EXPECT_EQ(result.failure().description,
                  u"في العنصر (2، 2) من القيم: استخدام غير صالح للقيمة الخالية");
        EXPECT_EQ(fields(), (std::vector<std::u16string>{u"", u"1", u"1", u"ورقة1"}));
        auto column = tables.SheetpushTable(array({{0, 1}}, {u"a"}), Null{}, integer(3), sheet);
        ASSERT_FALSE(column.ok());
        EXPECT_EQ(column.failure().number, error::invalidUseOfNull);
    });
    EXPECT_TRUE(platform.excel.steps.empty());
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(ExcelTableTest, ImportTableGivesRowsByColumnsFromOneAsARangesValueDoes) {
    onFreshThread([&] {
        ASSERT_TRUE(
            tables
                .SheetpushTable(array({{0, 2}, {0, 3}}, {u"a", u"d", u"b", u"", u"c", u"f"}),
                                integer(2), integer(3), sheet)
                .ok());
        auto read = tables.ImportTable(integer(2), integer(3), integer(3), u"2", sheet);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.value(), array({{1, 2}, {1, 3}}, {u"a", u"d", u"b", u"", u"c", u"f"}));
        EXPECT_EQ(fields(), (std::vector<std::u16string>{u"", u"2", u"3", u"ورقة1"}));
    });
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(ExcelTableTest, ImportTableGivesEmptyAfterTheMessage) {
    const struct {
        const char* what;
        Variant columns;
        Variant rows;
        std::u16string description;
    } cases[] = {
        {"no columns", integer(0), integer(2),
         u"لا يصلح عدد الأعمدة «0»: يلزم عدد صحيح من 1 إلى 16384"},
        {"half a row", integer(2), 2.5,
         u"لا يصلح عدد الصفوف «2.5»: يلزم عدد صحيح من 1 إلى 1048576"},
        {"more columns than a sheet has", integer(16385), integer(1),
         u"لا يصلح عدد الأعمدة «16385»: يلزم عدد صحيح من 1 إلى 16384"},
        {"a refused block", integer(2), integer(2), u"refused: R3C2:R4C3"},
    };
    platform.excel.refusedItems.insert(u"R3C2:R4C3");
    for (const auto& c : cases)
        onFreshThread([&] {
            platform.messages.shown.clear();
            auto read = tables.ImportTable(integer(2), integer(3), c.columns, c.rows, sheet);
            ASSERT_TRUE(read.ok()) << c.what;
            EXPECT_EQ(read.value(), Variant{}) << c.what;
            ASSERT_EQ(platform.messages.shown.size(), 1u) << c.what;
            EXPECT_EQ(platform.messages.shown[0].prompt, prompt + u'\r' + c.description) << c.what;
        });
}

} // namespace
} // namespace sheetpush
