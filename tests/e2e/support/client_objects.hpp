#pragma once

// Values a test client passes to the server as arguments: plain texts and numbers, and objects
// that the server asks for their default value, or finds they have none; and what it gets back.

#include "support/plain_dispatch.hpp"
#include "win32_base/raii.hpp"

#include <oaidl.h>

#include <string>

namespace e2e {

// A VT_BSTR that the receiver of the VARIANT frees.
inline VARIANT text(const std::wstring& value) {
    VARIANT variant{};
    variant.vt = VT_BSTR;
    variant.bstrVal = sheetpush::win32::copyBstr(value).detach();
    return variant;
}

inline VARIANT number(LONG value) {
    VARIANT variant{};
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

// The text Excel sends for a cell, and the server returns: its value and a line end.
inline std::wstring cell(const std::wstring& value) {
    return value + L"\r\n";
}

// An IDispatch whose default member gives a text, or is missing when the text is null.
class DefaultValueObject final : public PlainDispatch<DefaultValueObject> {
public:
    explicit DefaultValueObject(const wchar_t* value) : value_(value) {}

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (id != DISPID_VALUE || !value_ || !result)
            return DISP_E_MEMBERNOTFOUND;
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(value_);
        return S_OK;
    }

private:
    const wchar_t* value_;
};

} // namespace e2e
