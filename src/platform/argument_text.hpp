#pragma once

#include "platform/variant_formatting.hpp"
#include "vocabulary/result.hpp"
#include "vocabulary/variant.hpp"

#include <string>

namespace sheetpush {

// What an argument stands for: a reference followed, an object's default value fetched and
// followed in turn, for no more than defaultValueDepthLimit objects. The value is the argument's
// own or the one put into holder.
Result<const Variant*> followedValue(const Variant& argument, Variant& holder);

// An argument's string form: a reference is followed, Empty is "", a string is taken as it is,
// an object gives its default value's string form, numbers, dates and Booleans go through the
// platform's coercion; Null, arrays and objects without a default value fail.
Result<std::u16string> argumentText(const Variant& argument, VariantFormatting& formatting);

} // namespace sheetpush
