#include "vocabulary/catalogue.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace sheetpush {
namespace {

// The texts users' programs and the closers of message boxes look for stay as they are; every
// text is one of its own; and a description that names something quotes a huge name cut short.
TEST(CatalogueTest, TextsAreExactDistinctAndQuoteHugeNamesCutShort) {
    const struct {
        std::u16string text;
        std::u16string expected;
    } known[] = {
        {text::linkFailed(u"السبب"), u"فشلت عملية الربط ، تأكد من تواجد الهدف\rالسبب"},
        {text::linkFailedTitle, u"الربط مع الأكسل"},
        {text::launchFailed, u"لم أستطع تشغيل الملف"},
        {text::launchFailedTitle, u"الطباعة إلى أكسل"},
        {text::windowCaption, u"طباعة إلى الأكسل"},
        {text::excelDialogTitle, u"حدد مسار برنامج الأكسل"},
        {text::firstSheet, u"ورقة1"},
    };
    for (const auto& k : known)
        EXPECT_EQ(k.text, k.expected);

    const std::u16string a(100, u'a');
    const std::u16string b(100, u'b');
    const std::vector<std::u16string> naming = {
        text::numberOverflow(a),
        text::badCount(u"", a, 1),
        text::noLink(a),
        text::noConversationWindow(a),
        text::unfitName(a),
        text::initiateTimedOut(a, b),
        text::noPartner(a, b),
        text::noConversationToPoke(a),
        text::pokeNotReady(a),
        text::noConversationToRequest(a),
        text::requestNotReady(a),
        text::notText(a, b),
        text::busy(a, b),
        text::refused(a, b),
        text::ansiOnly(a),
        text::unicodeRefused(a, b),
        text::answerTimedOut(a, b),
        text::partnerQuit(a, b),
        text::tooManyCells(a),
    };
    for (const auto& description : naming) {
        EXPECT_NE(description.find(excerpt(a)), std::u16string::npos) << description.size();
        EXPECT_EQ(description.find(a), std::u16string::npos) << description.size();
    }

    std::vector<std::u16string> all = {text::linkFailedTitle,
                                       text::launchFailed,
                                       text::launchFailedTitle,
                                       text::windowCaption,
                                       text::pathFrame,
                                       text::sendFrame,
                                       text::sendButton,
                                       text::runButton,
                                       text::sheetLabel,
                                       text::textLabel,
                                       text::rowLabel,
                                       text::columnLabel,
                                       text::creditLine,
                                       text::creditTip,
                                       text::firstSheet,
                                       text::workbookDialogTitle,
                                       text::workbookFilter,
                                       text::excelDialogTitle,
                                       text::excelFilter,
                                       text::typeMismatch,
                                       text::settingNotSaved,
                                       text::objectNotSet,
                                       text::invalidUseOfNull,
                                       text::outsideSpinner,
                                       text::noDefaultMember,
                                       text::dialogCancelled,
                                       text::dateOutOfRange,
                                       text::overflow,
                                       text::pathNotFound,
                                       text::commandLineNotPassed,
                                       text::textWithNul,
                                       text::textWithBreak,
                                       text::sheetWithNul,
                                       text::valuesNotArray,
                                       text::columnsCount,
                                       text::rowsCount,
                                       text::valuesDimensions(3),
                                       text::inElement(u"1", u""),
                                       text::pastLastRow(u"1", 1),
                                       text::pastLastColumn(u"1", 1),
                                       text::inCell(1, 1, u""),
                                       text::rowTooLong(1, 1, 1),
                                       text::rowsLanded(u"", 1, 1)};
    all.insert(all.end(), naming.begin(), naming.end());
    for (const auto& text : all)
        EXPECT_FALSE(text.empty());
    EXPECT_EQ(std::set<std::u16string>(all.begin(), all.end()).size(), all.size());
}

} // namespace
} // namespace sheetpush
