#pragma once

// Values a test client passes to the server as arguments: plain texts and numbers, and objects
// that the server asks for their default value, or finds they have none.

#include "platform/win32/raii.hpp"
#include "server/com/com_ptr.hpp"

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

// An IDispatch whose default member gives a text, or is missing when the text is null.
class DefaultValueObject final : public IDispatch {
public:
    explicit DefaultValueObject(const wchar_t* value) : value_(value) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IDispatch) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        *out = static_cast<IDispatch*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (id != DISPID_VALUE || !value_ || !result)
            return DISP_E_MEMBERNOTFOUND;
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(value_);
        return S_OK;
    }

private:
    sheetpush::com::RefCount<DefaultValueObject> refs_;
    const wchar_t* value_;
};

} // namespace e2e
