#include "vocabulary/argument_text.hpp"

#include "vocabulary/overloaded.hpp"

#include <memory>
#include <variant>

namespace sheetpush {

namespace {

Result<std::u16string> valueText(const Variant& value, VariantFormatting& formatting,
                                 int objectsFollowed);

// A reference names one variable; a reference to a reference is no value a client can pass.
Result<std::u16string> referredText(const Variant& argument, VariantFormatting& formatting,
                                    int objectsFollowed) {
    if (!argument.holds<VariantRef>())
        return valueText(argument, formatting, objectsFollowed);
    const auto* target = argument.as<VariantRef>().target;
    if (!target)
        return error::typeMismatch();
    return valueText(*target, formatting, objectsFollowed);
}

Result<std::u16string> valueText(const Variant& value, VariantFormatting& formatting,
                                 int objectsFollowed) {
    return std::visit(
        Overloaded{
            [](const Empty&) -> Result<std::u16string> { return std::u16string(); },
            [](const std::u16string& text) -> Result<std::u16string> { return text; },
            [](const Null&) -> Result<std::u16string> { return error::invalidUseOfNull(); },
            [](const Unconvertible&) -> Result<std::u16string> { return error::typeMismatch(); },
            [](const VariantRef&) -> Result<std::u16string> { return error::typeMismatch(); },
            [&](const std::shared_ptr<AutomationObject>& object) -> Result<std::u16string> {
                if (!object)
                    return error::objectNotSet();
                if (objectsFollowed == defaultValueDepthLimit)
                    return error::typeMismatch();
                auto value = object->defaultValue();
                if (!value.ok())
                    return value.failure();
                return referredText(value.value(), formatting, objectsFollowed + 1);
            },
            [&](const auto&) { return formatting.format(value); },
        },
        value.value());
}

} // namespace

Result<std::u16string> argumentText(const Variant& argument, VariantFormatting& formatting) {
    return referredText(argument, formatting, 0);
}

} // namespace sheetpush
