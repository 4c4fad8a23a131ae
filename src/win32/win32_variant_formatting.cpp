#include "win32/win32_variant_formatting.hpp"

#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"
#include "win32/system_failure.hpp"
#include "win32_base/raii.hpp"
#include "win32_base/wide_text.hpp"

#include <type_traits>

namespace sheetpush::win32 {

namespace {

Failure failureOf(HRESULT result, const Trace& trace) {
    return systemFailure(trace, u"VariantChangeTypeEx, an argument's text",
                         result == DISP_E_OVERFLOW ? error::overflow(text::overflow)
                                                   : error::typeMismatch(),
                         static_cast<DWORD>(result));
}

// Fills a VARIANT from a scalar; false for a value that is not a scalar of the system's types.
bool fill(const Variant& scalar, VARIANT& out) {
    return std::visit(
        [&out](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, Empty>) {
                out.vt = VT_EMPTY;
            } else if constexpr (std::is_same_v<T, std::int16_t>) {
                out.vt = VT_I2;
                out.iVal = value;
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
                out.vt = VT_I4;
                out.lVal = value;
            } else if constexpr (std::is_same_v<T, float>) {
                out.vt = VT_R4;
                out.fltVal = value;
            } else if constexpr (std::is_same_v<T, double>) {
                out.vt = VT_R8;
                out.dblVal = value;
            } else if constexpr (std::is_same_v<T, Currency>) {
                out.vt = VT_CY;
                out.cyVal.int64 = value.scaled;
            } else if constexpr (std::is_same_v<T, bool>) {
                out.vt = VT_BOOL;
                out.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
            } else if constexpr (std::is_same_v<T, Date>) {
                out.vt = VT_DATE;
                out.date = value.days;
            } else {
                return false;
            }
            return true;
        },
        scalar.value());
}

// Booleans read "True" and "False", as the portable build and the clients' own string
// conversion write them, rather than the bare -1 and 0 of the plain coercion.
USHORT booleanWords(const Variant& scalar) {
    return scalar.holds<bool>() ? VARIANT_ALPHABOOL : 0;
}

} // namespace

Result<std::u16string> Win32VariantFormatting::format(const Variant& scalar) {
    if (scalar.holds<std::u16string>())
        return scalar.as<std::u16string>();
    if (scalar.holds<Null>())
        return error::invalidUseOfNull();
    UniqueVariant source;
    if (!fill(scalar, *source.get()))
        return error::typeMismatch();
    UniqueVariant text;
    HRESULT result = VariantChangeTypeEx(text.get(), source.get(), LOCALE_USER_DEFAULT,
                                         booleanWords(scalar), VT_BSTR);
    if (FAILED(result))
        return failureOf(result, trace_);
    return utf16(bstrView(text->bstrVal));
}

} // namespace sheetpush::win32
