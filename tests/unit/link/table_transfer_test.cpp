#include "link/table_transfer.hpp"

#include "fakes/fake_platform.hpp"
#include "vocabulary/excerpt.hpp"
#include "window/link_window_test.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sheetpush {
namespace {

using fakes::DdeStep;

const std::u16string prompt = u"فشلت عملية الربط ، تأكد من تواجد الهدف";

TextTable table(std::size_t rows, std::size_t columns, std::vector<std::u16string> cells) {
    return {rows, columns, std::move(cells)};
}

// rows of columns cells, each "r<row>c<column>" padded with x to width units.
TextTable filled(std::size_t rows, std::size_t columns, std::size_t width) {
    TextTable made{rows, columns, {}};
    for (std::size_t row = 0; row < rows; ++row)
        for (std::size_t column = 0; column < columns; ++column) {
            auto text = u"r" + decimalText(row + 1) + u"c" + decimalText(column + 1);
            made.cells.push_back(text + std::u16string(width - text.size(), u'x'));
        }
    return made;
}

// The rows a block item spans, "R2C3:R4C5" two, a cell's item one.
std::size_t rowsOf(const std::u16string& item) {
    auto number = [&](std::size_t from) {
        std::size_t value = 0;
        while (from < item.size() && item[from] >= u'0' && item[from] <= u'9')
            value = value * 10 + (item[from++] - u'0');
        return value;
    };
    const auto colon = item.find(u':');
    return colon == std::u16string::npos ? 1 : number(colon + 2) - number(1) + 1;
}

class TableTransferTest : public LinkWindowTest {
protected:
    std::vector<DdeStep> pokes() const {
        std::vector<DdeStep> found;
        for (const auto& step : platform.excel.steps)
            if (step.kind == DdeStep::poke)
                found.push_back(step);
        return found;
    }

    // The one message shown: its description.
    std::u16string shownDescription() const {
        if (platform.messages.shown.size() != 1)
            return u"<" + decimalText(std::ssize(platform.messages.shown)) + u" messages>";
        return platform.messages.shown[0].prompt.substr(prompt.size() + 1);
    }
};

TEST_F(TableTransferTest, ATableGoesAsOnePokeOfItsBlockEveryRowEndedByALineEnd) {
    const struct {
        const char* what;
        TextTable values;
        std::u16string item;
        std::u16string text;
    } cases[] = {
        {"two rows of three, an empty cell among them",
         table(2, 3, {u"a", u"b", u"c", u"d", u"", u"f"}), u"R3C2:R4C4", u"a\tb\tc\r\nd\t\tf\r\n"},
        {"one cell, named as a cell is", table(1, 1, {u"x"}), u"R3C2", u"x\r\n"},
        {"one column", table(2, 1, {u"x", u""}), u"R3C2:R4C2", u"x\r\n\r\n"},
        {"a cell's own line end, as a read gives it, dropped", table(1, 2, {u"a\r\n", u"b"}),
         u"R3C2:R3C3", u"a\tb\r\n"},
    };
    for (const auto& c : cases) {
        platform.excel.steps.clear();
        address(u"3", u"2");
        window.cellText.setText(u"cell text");
        EXPECT_TRUE(window.sendTable(c.values)) << c.what;
        EXPECT_EQ(
            platform.excel.steps,
            (std::vector<DdeStep>{{DdeStep::connect, u"Excel", u"ورقة1", u"", transferTimeout},
                                  {DdeStep::poke, u"", c.item, c.text, transferTimeout}}))
            << c.what;
        EXPECT_EQ(window.cellText.text(), u"cell text") << c.what;
    }
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(TableTransferTest, EverythingIsCheckedBeforeAnythingIsSent) {
    const std::u16string cut =
        u"لم يُرسل النص: فيه علامة جدولة أو نهاية سطر، والأكسل يحذف كل ما بعدها";
    const struct {
        const char* what;
        TextTable values;
        std::u16string row;
        std::u16string column;
        std::u16string sheet;
        std::u16string description;
    } cases[] = {
        {"a TAB in a cell", table(2, 2, {u"a", u"b", u"c", u"d\te"}), u"1", u"1", u"ورقة1",
         u"في الخلية (الصف 2، العمود 2) من الجدول: " + cut},
        {"a CR LF inside a cell", table(1, 2, {u"a\r\nb", u"c"}), u"1", u"1", u"ورقة1",
         u"في الخلية (الصف 1، العمود 1) من الجدول: " + cut},
        {"past the last row", table(3, 1, {u"a", u"b", u"c"}), u"1048575", u"1", u"ورقة1",
         u"يمتد الجدول إلى الصف 1048577، بعد آخر صف في الورقة (1048576)"},
        {"past the last column", table(1, 2, {u"a", u"b"}), u"1", u"16384", u"ورقة1",
         u"يمتد الجدول إلى العمود 16385، بعد آخر عمود في الورقة (16384)"},
        {"a row too long for one message", table(1, 2, {std::u16string(bandUnits - 3, u'a'), u"b"}),
         u"1", u"1", u"ورقة1",
         u"لم يُرسل الجدول: الصف 1 أطول من أن تحمله رسالة واحدة (131073 حرفًا، والحد 131072)"},
        {"a NUL in the sheet's name", table(1, 1, {u"a"}), u"1", u"1",
         std::u16string(u"ورقة1\0x", 7),
         u"لا يصلح اسم الورقة: فيه حرف فارغ (NUL) يجعله يدل على ورقة أخرى"},
        {"an overflowing row", table(1, 1, {u"a"}), u"1E400", u"1", u"ورقة1",
         u"تجاوز الرقم حدود السعة في النص \"1E400\""},
    };
    for (const auto& c : cases) {
        platform.messages.shown.clear();
        address(c.row, c.column, c.sheet);
        EXPECT_FALSE(window.sendTable(c.values)) << c.what;
        EXPECT_EQ(shownDescription(), c.description) << c.what;
        EXPECT_TRUE(platform.excel.steps.empty()) << c.what;
    }
}

// Rows of 63 units with their line end: 2,080 of them fit in one band.
TEST_F(TableTransferTest, ABigTableGoesInBandsOfWholeRowsTheFirstChoosingTheFormatForAll) {
    const auto values = filled(3000, 2, 30);
    const std::size_t perBand = bandUnits / 63;
    address(u"1", u"1");
    platform.excel.uncarried = u"م";
    auto arabicInTheLastRow = values;
    arabicInTheLastRow.cells.back() = u"مرحبا";
    EXPECT_FALSE(window.sendTable(arabicInTheLastRow));
    EXPECT_TRUE(pokes().empty());
    EXPECT_EQ(shownDescription(), u"uncarried\rعدد صفوف الجدول التي كُتبت قبل ذلك: 0 من 3000");
    platform.excel.uncarried.clear();

    EXPECT_TRUE(window.sendTable(values));
    const auto sent = pokes();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].topicOrItem, u"R1C1:R" + decimalText(perBand) + u"C2");
    EXPECT_EQ(sent[1].topicOrItem, u"R" + decimalText(perBand + 1) + u"C1:R3000C2");
    EXPECT_EQ(sent[0].text.size(), perBand * 63);
    EXPECT_EQ(platform.excel.cells[u"ورقة1!R3000C2"], values.at(2999, 1));
    EXPECT_EQ(platform.excel.cells[u"ورقة1!R" + decimalText(perBand + 1) + u"C1"],
              values.at(perBand, 0));
}

TEST_F(TableTransferTest, ABandRefusedLeavesTheRowsBeforeItWrittenAndSaysHowMany) {
    const auto values = filled(3000, 2, 30);
    const std::size_t perBand = bandUnits / 63;
    const auto second = u"R" + decimalText(perBand + 1) + u"C1:R3000C2";
    platform.excel.refusedItems.insert(second);
    address(u"1", u"1");
    EXPECT_FALSE(window.sendTable(values));
    EXPECT_EQ(shownDescription(), u"refused: " + second + u"\rعدد صفوف الجدول التي كُتبت قبل ذلك: " +
                                      decimalText(perBand) + u" من 3000");
    EXPECT_EQ(platform.excel.cells[u"ورقة1!R" + decimalText(perBand) + u"C2"],
              values.at(perBand - 1, 1));
    EXPECT_FALSE(platform.excel.cells.contains(u"ورقة1!R3000C2"));
}

// The first band asks for few rows, each later one for as many as fit in a message when each is
// as long as the longest row read so far.
TEST_F(TableTransferTest, ATableReadsBackInBandsAsItWasWritten) {
    for (const auto& written : {filled(1, 1, 4), filled(5, 3, 6), filled(3000, 2, 30)}) {
        address(u"2", u"3");
        ASSERT_TRUE(window.sendTable(written));
        platform.excel.steps.clear();
        window.cellText.setText(u"cell text");
        EXPECT_EQ(window.requestTable(written.rows, written.columns), written);
        EXPECT_EQ(window.cellText.text(), u"cell text");
        std::vector<std::size_t> bandRows;
        for (const auto& step : platform.excel.steps)
            if (step.kind == DdeStep::request)
                bandRows.push_back(rowsOf(step.topicOrItem));
        const std::size_t rowUnits = written.columns * (written.at(0, 0).size() + 1) + 1;
        EXPECT_LE(bandRows.front(), bandUnits / (written.columns * 64)) << written.rows;
        for (auto rows : bandRows)
            EXPECT_LE(rows * rowUnits, bandUnits) << written.rows;
        EXPECT_LE(bandRows.size(), 3u) << written.rows;
    }
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(TableTransferTest, AReadThatFailsGivesNothingAfterTheMessage) {
    const struct {
        const char* what;
        std::u16string item;
        std::u16string answer;
        std::size_t rows;
        std::size_t columns;
        std::u16string description;
    } cases[] = {
        {"a refused band", u"R2C3:R3C4", u"", 2, 2, u"refused: R2C3:R3C4"},
        {"more rows than asked for", u"R2C3", u"a\r\nb\r\n", 1, 1,
         u"أجاب الأكسل عن البند «R2C3» بصفوف أو خلايا أكثر مما فيه"},
        {"more cells than asked for", u"R2C3:R2C4", u"a\tb\tc\r\n", 1, 2,
         u"أجاب الأكسل عن البند «R2C3:R2C4» بصفوف أو خلايا أكثر مما فيه"},
        {"past the last row", u"", u"", 1048576, 1,
         u"يمتد الجدول إلى الصف 1048577، بعد آخر صف في الورقة (1048576)"},
    };
    for (const auto& c : cases) {
        platform.messages.shown.clear();
        platform.excel.refusedItems = {u"R2C3:R3C4"};
        platform.excel.cells[u"ورقة1!" + c.item] = c.answer;
        address(u"2", u"3");
        EXPECT_EQ(window.requestTable(c.rows, c.columns), std::nullopt) << c.what;
        EXPECT_EQ(shownDescription(), c.description) << c.what;
    }
}

// What Excel leaves out of a row, or of the block, is empty.
TEST_F(TableTransferTest, CellsMissingFromAnAnswerAreEmpty) {
    platform.excel.cells[u"ورقة1!R2C3:R4C4"] = u"a\r\nb\tc";
    address(u"2", u"3");
    EXPECT_EQ(window.requestTable(3, 2), table(3, 2, {u"a", u"", u"b", u"c", u"", u""}));
}

} // namespace
} // namespace sheetpush
