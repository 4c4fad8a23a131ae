#include "com/variant_conversion.hpp"

#include "com/automation_error.hpp"
#include "com/automation_object.hpp"
#include "win32_base/raii.hpp"
#include "win32_base/wide_text.hpp"

#include <cstring>
#include <memory>
#include <vector>

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

// An element of an array of type as a variant that only borrows it: each type the core models
// sits at the start of a VARIANT's value, a DECIMAL across the whole VARIANT.
Variant elementValue(VARTYPE type, const unsigned char* element, std::size_t size) {
    if (type == VT_VARIANT) {
        const auto& variant = *reinterpret_cast<const VARIANT*>(element);
        // An array inside an array is no cell's value: its type is all that is kept, however
        // deep the arrays go.
        if (referred(variant).vt & VT_ARRAY)
            return Unconvertible{static_cast<VARTYPE>(referred(variant).vt & ~VT_BYREF)};
        return coreValue(variant);
    }
    VARIANT view;
    VariantInit(&view);
    if (type == VT_DECIMAL && size == sizeof(DECIMAL))
        std::memcpy(&view.decVal, element, size);
    else if (size <= sizeof(view.llVal))
        std::memcpy(&view.llVal, element, size);
    else
        return Unconvertible{type};
    view.vt = type;
    return directValue(view);
}

// The dimensions as the client's language numbers them, first to last; the safe array holds
// its bounds the other way round.
Variant arrayValue(SAFEARRAY* array) {
    VARTYPE type = VT_EMPTY;
    if (!array || FAILED(SafeArrayGetVartype(array, &type)))
        return Unconvertible{VT_ARRAY};
    Array value;
    std::size_t count = 1;
    for (UINT dimension = 1; dimension <= SafeArrayGetDim(array); ++dimension) {
        LONG lower = 0;
        LONG upper = -1;
        SafeArrayGetLBound(array, dimension, &lower);
        SafeArrayGetUBound(array, dimension, &upper);
        std::size_t length = upper >= lower ? static_cast<std::size_t>(upper) - lower + 1 : 0;
        value.dimensions.push_back({lower, length});
        count *= length;
    }
    win32::SafeArrayData data(array);
    if (count && !data.data())
        return Unconvertible{static_cast<VARTYPE>(VT_ARRAY | type)};
    const std::size_t size = SafeArrayGetElemsize(array);
    value.elements.reserve(count);
    for (std::size_t index = 0; index < count; ++index)
        value.elements.push_back(elementValue(
            type, static_cast<const unsigned char*>(data.data()) + index * size, size));
    return value;
}

// The client's array holds variants, as a client's own arrays do, in the core array's dimensions.
HRESULT clientArray(const Array& array, VARIANT& out) {
    std::vector<SAFEARRAYBOUND> bounds;
    std::size_t count = 1;
    for (const auto& dimension : array.dimensions) {
        bounds.push_back({static_cast<ULONG>(dimension.length), dimension.lowerBound});
        count *= dimension.length;
    }
    if (bounds.empty() || count != array.elements.size())
        return E_UNEXPECTED;
    win32::UniqueSafeArray created(
        SafeArrayCreate(VT_VARIANT, static_cast<UINT>(bounds.size()), bounds.data()));
    if (!created)
        return E_OUTOFMEMORY;
    {
        win32::SafeArrayData data(created.get());
        if (count && !data.data())
            return E_OUTOFMEMORY;
        auto* elements = static_cast<VARIANT*>(data.data());
        for (std::size_t index = 0; index < count; ++index)
            if (HRESULT made = clientValue(array.elements[index], elements[index]); FAILED(made))
                return made;
    }
    out.vt = VT_ARRAY | VT_VARIANT;
    out.parray = created.detach();
    return S_OK;
}

} // namespace

Variant coreValue(const VARIANT& passed) {
    const VARIANT& argument = referred(passed);
    if (argument.vt & VT_ARRAY)
        return arrayValue(!(argument.vt & VT_BYREF) ? argument.parray
                          : argument.pparray        ? *argument.pparray
                                                    : nullptr);
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
    if (result.holds<Array>())
        return clientArray(result.as<Array>(), out);
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
