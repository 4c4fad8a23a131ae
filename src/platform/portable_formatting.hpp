#pragma once

#include "platform/variant_formatting.hpp"

namespace sheetpush {

// Locale-free formatting for builds without the platform's coercion: numbers keep up to 15
// significant digits with "." as the decimal point, Booleans are "True" and "False", dates are
// written as month/day/year and time.
class PortableFormatting : public VariantFormatting {
public:
    Result<std::u16string> format(const Variant& scalar) override;
};

} // namespace sheetpush
