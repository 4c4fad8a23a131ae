#include "vocabulary/excerpt.hpp"

#include <gtest/gtest.h>

#include <string>

namespace sheetpush {
namespace {

TEST(ExcerptTest, KeepsShortNamesAndCutsLongOnesWithoutSplittingACharacter) {
    const std::u16string fits(64, u'ق');
    const std::u16string pairAtTheCut = std::u16string(63, u'x') + u"\U0001F600" + u"tail";
    const struct {
        std::u16string name;
        std::u16string excerpt;
    } cases[] = {
        {u"", u""},
        {u"ورقة1", u"ورقة1"},
        {fits, fits},
        {fits + u"!", fits + u"…"},
        {pairAtTheCut, std::u16string(63, u'x') + u"…"},
        {std::u16string(1 << 20, u's'), std::u16string(64, u's') + u"…"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(excerpt(c.name), c.excerpt) << c.name.size() << " units";
}

} // namespace
} // namespace sheetpush
