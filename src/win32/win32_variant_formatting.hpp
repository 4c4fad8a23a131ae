#pragma once

#include "platform/trace.hpp"
#include "platform/variant_formatting.hpp"

namespace sheetpush::win32 {

// The system's own coercion to text (VariantChangeTypeEx in the user's default locale), so that
// numbers, dates and Booleans read the way the user's other programs write them.
class Win32VariantFormatting : public VariantFormatting {
public:
    explicit Win32VariantFormatting(Trace trace = {}) : trace_(trace) {}

    Result<std::u16string> format(const Variant& scalar) override;

private:
    Trace trace_;
};

} // namespace sheetpush::win32
