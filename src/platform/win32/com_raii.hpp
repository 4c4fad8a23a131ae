#pragma once

#include "platform/win32/raii.hpp"

#include <windows.h>

#include <oleauto.h>

#include <string_view>

namespace sheetpush::win32 {

struct BstrTraits {
    using Value = BSTR;
    static BSTR none() { return nullptr; }
    static void close(BSTR text) { SysFreeString(text); }
};

// An owned BSTR.
using UniqueBstr = UniqueResource<BstrTraits>;

// A BSTR holding a copy of text, NULs included; owns nothing when the allocation failed.
inline UniqueBstr copyBstr(std::wstring_view text) {
    return UniqueBstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// The text of a BSTR up to its recorded length, which may include NULs; a null BSTR is empty.
inline std::wstring_view bstrView(BSTR text) {
    return {text, SysStringLen(text)};
}

// An owned VARIANT, initialised empty and cleared with VariantClear.
class UniqueVariant {
public:
    UniqueVariant() { VariantInit(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    ~UniqueVariant() { VariantClear(&value_); }

    VARIANT* get() { return &value_; }
    const VARIANT* get() const { return &value_; }
    VARIANT* operator->() { return &value_; }
    const VARIANT* operator->() const { return &value_; }
    // Clears the value it holds and hands out the VARIANT for an out-parameter.
    VARIANT* reset() {
        VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

} // namespace sheetpush::win32
