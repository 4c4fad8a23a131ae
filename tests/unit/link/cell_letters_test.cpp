#include "link/cell_letters.hpp"

#include "fakes/fake_platform.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sheetpush {
namespace {

using namespace std::chrono_literals;

TEST(ItemInLetters, WritesCellsAndBlocksAndNothingThatNamesNoCell) {
    const struct {
        std::u16string item;
        CellLetters letters;
        std::optional<std::u16string> written;
    } cases[] = {
        {u"R3C2", {u'L', u'C'}, u"L3C2"},
        {u"R1048576C16384", {u'Z', u'S'}, u"Z1048576S16384"},
        {u"R2C3:R4C6", {u'Z', u'S'}, u"Z2S3:Z4S6"},
        {u"R3C2", {u'R', u'C'}, u"R3C2"},
        {u"R0C0", {u'L', u'C'}, std::nullopt},
        {u"R3C0", {u'L', u'C'}, std::nullopt},
        {u"R-3C2", {u'L', u'C'}, std::nullopt},
        {u"R2.5C1", {u'L', u'C'}, std::nullopt},
        {u"R1E+15C1", {u'L', u'C'}, std::nullopt},
        {u"R07C1", {u'L', u'C'}, std::nullopt},
        {u"R3C2:", {u'L', u'C'}, std::nullopt},
        {u"R3C2:R4", {u'L', u'C'}, std::nullopt},
        {u"R3C2:R4C6:R5C7", {u'L', u'C'}, std::nullopt},
        {u"L3C2", {u'L', u'C'}, std::nullopt},
        {u"", {u'L', u'C'}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(itemInLetters(c.item, c.letters), c.written)
            << ::testing::PrintToString(c.item) << " in " << static_cast<char>(c.letters.row)
            << static_cast<char>(c.letters.column);
}

// A run of calls on one conversation with an Excel of some letters, and every transfer Excel
// saw. A call is "poke <item>", "request <item>", or "hang" for Excel answering nothing from
// then on; worked has a "+" or "-" for each transfer.
struct LettersCase {
    const char* name;
    std::u16string setting;
    std::u16string excelLetters;
    std::vector<std::u16string> calls;
    std::vector<std::u16string> seen;
    std::u16string worked;
    bool readOnly = false;
};

void PrintTo(const LettersCase& c, std::ostream* out) {
    *out << c.name;
}

class CellLettersTest : public ::testing::TestWithParam<LettersCase> {
protected:
    fakes::FakeExcel excel;
    fakes::FakeSettingsStore settings;
};

TEST_P(CellLettersTest, PairsAreTriedInOrderAndRemembered) {
    const auto& c = GetParam();
    excel.letters = c.excelLetters;
    excel.readOnly = c.readOnly;
    if (!c.setting.empty())
        settings.entries[fakes::FakeSettingsStore::name(u"Orvand", u"Sheetpush", u"CellLetters")] =
            c.setting;
    auto newConversation = withExcelsLetters(
        [this] { return std::make_unique<fakes::FakeConversation>(excel); }, settings);
    auto conversation = newConversation();
    ASSERT_TRUE(conversation->connect(u"Excel", u"ورقة1", 10s).ok());
    std::u16string worked;
    for (const auto& call : c.calls) {
        if (call == u"hang") {
            excel.answers = false;
            continue;
        }
        auto space = call.find(u' ');
        auto item = call.substr(space + 1);
        bool ok = call.starts_with(u"poke") ? conversation->poke(item, u"text", 10s).ok()
                                            : conversation->request(item, 10s).ok();
        worked += ok ? u'+' : u'-';
    }
    std::vector<std::u16string> seen;
    for (const auto& step : excel.steps)
        if (step.kind != fakes::DdeStep::connect)
            seen.push_back((step.kind == fakes::DdeStep::poke ? u"poke " : u"request ") +
                           step.topicOrItem);
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(worked, c.worked);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, CellLettersTest,
    ::testing::Values(
        LettersCase{"anEnglishExcelCostsNothingMore",
                    u"",
                    u"RC",
                    {u"poke R3C2", u"request R3C2"},
                    {u"poke R3C2", u"request R3C2"},
                    u"++"},
        LettersCase{"aFrenchExcelIsFoundByRequestsAndThePokeMadeAgain",
                    u"",
                    u"LC",
                    {u"poke R3C2", u"poke R4C1", u"request R4C1"},
                    {u"poke R3C2", u"request R3C2", u"request L3C2", u"poke L3C2", u"poke L4C1",
                     u"request L4C1"},
                    u"+++"},
        LettersCase{"aRequestIsNotAskedAgainInItsOwnLettersAndTheFoundReplyIsTheAnswer",
                    u"",
                    u"ZS",
                    {u"request R3C2", u"poke R3C2"},
                    {u"request R3C2", u"request L3C2", u"request Z3S2", u"poke Z3S2"},
                    u"++"},
        LettersCase{"aSpanishExcelIsTheLastKnownPair",
                    u"",
                    u"FC",
                    {u"request R2C3:R4C6"},
                    {u"request R2C3:R4C6", u"request L2C3:L4C6", u"request Z2S3:Z4S6",
                     u"request F2C3:F4C6"},
                    u"+"},
        LettersCase{"theSettingIsTriedFirstAndCostsNothingWhenRight",
                    u"ZS",
                    u"ZS",
                    {u"poke R3C2"},
                    {u"poke Z3S2"},
                    u"+"},
        LettersCase{"aSettingOfOtherLettersInSmallLettersWorks",
                    u"wk",
                    u"WK",
                    {u"poke R3C2", u"request R3C2"},
                    {u"poke W3K2", u"request W3K2"},
                    u"++"},
        LettersCase{"aWrongSettingIsAskedFirstThenTheKnownPairs",
                    u"LC",
                    u"ZS",
                    {u"poke R3C2"},
                    {u"poke L3C2", u"request L3C2", u"request R3C2", u"request Z3S2", u"poke Z3S2"},
                    u"+"},
        LettersCase{"aSettingThatIsNotTwoLettersIsIgnored",
                    u"Z1",
                    u"RC",
                    {u"poke R3C2"},
                    {u"poke R3C2"},
                    u"+"},
        LettersCase{"whenTheLettersUsedAnswerThePokeWasRefusedForItselfAndIsNotMadeAgain",
                    u"",
                    u"RC",
                    {u"poke R3C2", u"poke R4C1"},
                    {u"poke R3C2", u"request R3C2", u"poke R4C1"},
                    u"--",
                    true},
        LettersCase{"onceLettersWorkedARefusalIsOnlyARefusal",
                    u"",
                    u"LC",
                    {u"request R1C1", u"poke R1C1"},
                    {u"request R1C1", u"request L1C1", u"poke L1C1"},
                    u"+-",
                    true},
        LettersCase{"unknownLettersFailEveryCallAndNoPokeGoesInAGuess",
                    u"",
                    u"SO",
                    {u"poke R3C2", u"poke R3C2"},
                    {u"poke R3C2", u"request R3C2", u"request L3C2", u"request Z3S2",
                     u"request F3C2", u"poke R3C2", u"request R3C2", u"request L3C2",
                     u"request Z3S2", u"request F3C2"},
                    u"--"},
        LettersCase{"anItemThatNamesNoCellIsNeitherWrittenInLettersNorProbed",
                    u"",
                    u"LC",
                    {u"request R0C0", u"poke R3C2", u"poke R0C0"},
                    {u"request R0C0", u"poke R3C2", u"request R3C2", u"request L3C2", u"poke L3C2",
                     u"poke R0C0"},
                    u"-+-"},
        LettersCase{"aPartnerThatStopsAnsweringIsNotProbed",
                    u"",
                    u"LC",
                    {u"hang", u"poke R3C2"},
                    {u"poke R3C2"},
                    u"-"}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace sheetpush
