#pragma once

#include "vocabulary/result.hpp"
#include "vocabulary/variant.hpp"

#include <string>

namespace sheetpush {

// The standard coercion of a number, currency, date or Boolean to text, in the user's locale.
class VariantFormatting {
public:
    virtual ~VariantFormatting() = default;
    virtual Result<std::u16string> format(const Variant& scalar) = 0;
};

} // namespace sheetpush
