#include "platform/argument_text.hpp"

#include "vocabulary/error_numbers.hpp"
#include "vocabulary/overloaded.hpp"

#include <memory>
#include <utility>
#include <variant>

namespace sheetpush {

// A reference names one variable; a reference to a reference is no value a client can pass.
Result<const Variant*> followedValue(const Variant& argument, Variant& holder) {
    const Variant* value = &argument;
    for (int objectsFollowed = 0;; ++objectsFollowed) {
        if (value->holds<VariantRef>()) {
            value = value->as<VariantRef>().target;
            if (!value || value->holds<VariantRef>())
                return error::typeMismatch();
        }
        if (!value->holds<std::shared_ptr<AutomationObject>>())
            return value;
        const auto object = value->as<std::shared_ptr<AutomationObject>>();
        if (!object)
            return error::objectNotSet();
        if (objectsFollowed == defaultValueDepthLimit)
            return error::typeMismatch();
        auto fetched = object->defaultValue();
        if (!fetched.ok())
            return fetched.failure();
        holder = std::move(fetched).value();
        value = &holder;
    }
}

Result<std::u16string> argumentText(const Variant& argument, VariantFormatting& formatting) {
    Variant holder;
    auto value = followedValue(argument, holder);
    if (!value.ok())
        return value.failure();
    return std::visit(
        Overloaded{
            [](const Empty&) -> Result<std::u16string> { return std::u16string(); },
            [](const std::u16string& text) -> Result<std::u16string> { return text; },
            [](const Null&) -> Result<std::u16string> { return error::invalidUseOfNull(); },
            [](const Array&) -> Result<std::u16string> { return error::typeMismatch(); },
            [](const Unconvertible&) -> Result<std::u16string> { return error::typeMismatch(); },
            [&](const auto&) { return formatting.format(*value.value()); },
        },
        value.value()->value());
}

} // namespace sheetpush
