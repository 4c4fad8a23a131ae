#include "server/com/variant_conversion.hpp"

#include "platform/win32/raii.hpp"
#include "platform/win32/wide_text.hpp"
#include "server/com/automation_error.hpp"
#include "server/com/automation_object.hpp"

#include <memory>

namespace sheetpush::com {

namespace {

// The coercion functions only read their source, though their declarations ask for a mutable one.
VARIANTARG* source(const VARIANT& value) {
    return const_cast<VARIANTARG*>(&value);
}

Variant objectValue(IUnknown* object) {
    if (!object)
        return std::shared_ptr<AutomationObject>();
    auto dispatch = ComPtr<IUnknown>(object).query<IDispatch>();
    // Without IDispatch there is no default value, and the standard coercion refuses it.
    if (!dispatch)
        return Unconvertible{VT_UNKNOWN};
    return std::shared_ptr<AutomationObject>(std::make_shared<DispatchObject>(std::move(dispatch)));
}

// Numbers the core has no type for keep their exact standard text (a 64-bit integer or a
// decimal would lose digits as a double).
Variant standardText(const VARIANT& value) {
    win32::UniqueVariant text;
    if (FAILED(VariantChangeTypeEx(text.get(), source(value), LOCALE_USER_DEFAULT, 0, VT_BSTR)))
        return Unconvertible{value.vt};
    return win32::utf16(win32::bstrView(text->bstrVal));
}

Variant directValue(const VARIANT& value) {
    switch (value.vt) {
    case VT_EMPTY:
        return Empty{};
    case VT_NULL:
        return Null{};
    case VT_I2:
        return std::int16_t{value.iVal};
    case VT_I4:
        return std::int32_t{value.lVal};
    case VT_R4:
        return value.fltVal;
    case VT_R8:
        return value.dblVal;
    case VT_CY:
        return Currency{value.cyVal.int64};
    case VT_DATE:
        return Date{value.date};
    case VT_BOOL:
        return value.boolVal != VARIANT_FALSE;
    case VT_BSTR:
        return win32::utf16(win32::bstrView(value.bstrVal));
    case VT_DISPATCH:
        return objectValue(value.pdispVal);
    case VT_UNKNOWN:
        return objectValue(value.punkVal);
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_DECIMAL:
        return standardText(value);
    default:
        return Unconvertible{value.vt};
    }
}

bool isObject(const VARIANT& value) {
    return value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN;
}

// The variant a variable reference leads to; a client's variable is such a reference.
const VARIANT& referred(const VARIANT& argument) {
    const VARIANT* target = &argument;
    while (target->vt == (VT_BYREF | VT_VARIANT) && target->pvarVal)
        target = target->pvarVal;
    return *target;
}

} // namespace

Variant coreValue(const VARIANT& passed) {
    const VARIANT& argument = referred(passed);
    if (argument.vt & VT_ARRAY)
        return Unconvertible{static_cast<std::uint16_t>(argument.vt & ~VT_BYREF)};
    if (!(argument.vt & VT_BYREF))
        return directValue(argument);
    win32::UniqueVariant value;
    if (FAILED(VariantCopyInd(value.get(), source(argument))))
        return Unconvertible{static_cast<std::uint16_t>(argument.vt & ~VT_BYREF)};
    return directValue(*value.get());
}

HRESULT showMode(const VARIANT& argument, std::int32_t& mode) {
    win32::UniqueVariant value;
    HRESULT result = VariantCopyInd(value.get(), source(referred(argument)));
    for (int followed = 0; SUCCEEDED(result) && isObject(*value.get()); ++followed) {
        auto object = ComPtr<IUnknown>(value->punkVal).query<IDispatch>();
        win32::UniqueVariant next;
        ExceptionInfo exception;
        if (!object || followed == defaultValueDepthLimit ||
            FAILED(fetchDefaultValue(*object.get(), *next.get(), *exception.get())))
            return DISP_E_TYPEMISMATCH;
        result = VariantCopyInd(value.put(), next.get());
    }
    win32::UniqueVariant number;
    if (SUCCEEDED(result))
        result = VariantChangeType(number.get(), value.get(), 0, VT_I4);
    if (SUCCEEDED(result))
        mode = number->lVal;
    return result;
}

HRESULT clientValue(const Variant& result, VARIANT& out) {
    VariantInit(&out);
    if (result.holds<Empty>())
        return S_OK;
    if (result.holds<bool>()) {
        out.vt = VT_BOOL;
        out.boolVal = result.as<bool>() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    if (!result.holds<std::u16string>())
        return E_UNEXPECTED;
    // An empty text is still an allocated string: clients tell it from a null string.
    auto text = win32::copyBstr(win32::wide(result.as<std::u16string>()));
    if (!text.get())
        return E_OUTOFMEMORY;
    out.vt = VT_BSTR;
    out.bstrVal = text.detach();
    return S_OK;
}

} // namespace sheetpush::com
