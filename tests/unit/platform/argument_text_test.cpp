#include "platform/argument_text.hpp"

#include "fakes/fake_object.hpp"
#include "platform/portable_formatting.hpp"
#include "vocabulary/error_numbers.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace sheetpush {
namespace {

const Variant three{std::int16_t{3}};
const Variant null{Null{}};
const Variant reference{VariantRef{&three}};

// Objects whose default value is the next one, the last giving the text.
Variant objectChain(int objects, const char16_t* text) {
    Variant value{text};
    for (int object = 0; object < objects; ++object)
        value = fakes::FakeObject::with(value);
    return value;
}

struct ArgumentCase {
    const char* name;
    Variant argument;
    std::u16string text;
    std::optional<std::int32_t> failure;
};

void PrintTo(const ArgumentCase& c, std::ostream* out) {
    *out << c.name;
}

class ArgumentTextTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentTextTest, ConvertsOrFailsWithTheAutomationError) {
    const auto& c = GetParam();
    PortableFormatting formatting;
    auto text = argumentText(c.argument, formatting);
    if (c.failure) {
        ASSERT_FALSE(text.ok());
        EXPECT_EQ(text.failure().number, *c.failure);
        EXPECT_FALSE(text.failure().description.empty());
    } else {
        ASSERT_TRUE(text.ok()) << "failed: " << c.name;
        EXPECT_EQ(text.value(), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ArgumentTextTest,
    ::testing::Values(
        ArgumentCase{"empty", Variant{}, u"", {}},
        ArgumentCase{"stringUnchanged", Variant{u" abc\r\n"}, u" abc\r\n", {}},
        ArgumentCase{"integer", three, u"3", {}}, ArgumentCase{"double", Variant{2.5}, u"2.5", {}},
        ArgumentCase{"boolean", Variant{true}, u"True", {}},
        ArgumentCase{"referenceFollowed", reference, u"3", {}},
        ArgumentCase{"referenceToNull", Variant{VariantRef{&null}}, u"", error::invalidUseOfNull},
        ArgumentCase{"referenceToReference", Variant{VariantRef{&reference}}, u"",
                     error::typeMismatch},
        ArgumentCase{"danglingReference", Variant{VariantRef{}}, u"", error::typeMismatch},
        ArgumentCase{"null", null, u"", error::invalidUseOfNull},
        ArgumentCase{"array", Variant{Array{{{0, 1}}, {Variant{u"x"}}}}, u"", error::typeMismatch},
        ArgumentCase{"unmodelled", Variant{Unconvertible{0x0024}}, u"", error::typeMismatch},
        ArgumentCase{"objectNotSet", Variant{std::shared_ptr<AutomationObject>()}, u"",
                     error::objectNotSet},
        ArgumentCase{"objectWithText", fakes::FakeObject::with(u"x"), u"x", {}},
        ArgumentCase{"objectWithNumber",
                     fakes::FakeObject::with(Variant{std::int32_t{70000}}),
                     u"70000",
                     {}},
        ArgumentCase{
            "objectOfObject", fakes::FakeObject::with(fakes::FakeObject::with(u"y")), u"y", {}},
        ArgumentCase{
            "objectsAsDeepAsTheLimit", objectChain(defaultValueDepthLimit, u"deep"), u"deep", {}},
        ArgumentCase{"objectsBeyondTheLimit", objectChain(defaultValueDepthLimit + 1, u"deep"), u"",
                     error::typeMismatch},
        ArgumentCase{"objectThatIsItsOwnDefault", fakes::FakeObject::itself(), u"",
                     error::typeMismatch},
        ArgumentCase{"objectWithNull", fakes::FakeObject::with(null), u"", error::invalidUseOfNull},
        ArgumentCase{"objectWithoutDefault", fakes::FakeObject::without(), u"",
                     error::noDefaultMember}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace sheetpush
