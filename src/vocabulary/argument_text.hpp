#pragma once

#include "vocabulary/failure.hpp"
#include "vocabulary/variant.hpp"
#include "vocabulary/variant_formatting.hpp"

#include <string>

namespace sheetpush {

// An argument's string form: a reference is followed, Empty is "", a string is taken as it is,
// an object gives its default value's string form, numbers, dates and Booleans go through the
// platform's coercion; Null, arrays and objects without a default value fail.
Result<std::u16string> argumentText(const Variant& argument, VariantFormatting& formatting);

} // namespace sheetpush
