#pragma once

#include "com/automation_error.hpp"
#include "com/dispatch_arguments.hpp"
#include "com/variant_conversion.hpp"
#include "local_server/com_ptr.hpp"
#include "local_server/server_lifetime.hpp"
#include "vocabulary/result.hpp"
#include "vocabulary/variant.hpp"

#include <oaidl.h>

#include <algorithm>
#include <span>
#include <utility>

namespace sheetpush::com {

// A late-bound call, its arguments in parameter order.
struct DispatchCall {
    const OrderedArguments& arguments;
    const DISPPARAMS& parameters;
    VARIANT* result;
    EXCEPINFO* exception;
    UINT* argumentError;
};

// One method of a dual interface as IDispatch::Invoke reaches it.
template <class Object> struct DispatchMethod {
    DISPID id;
    UINT parameters;
    HRESULT (Object::*invoke)(const DispatchCall& call);
};

// What every automation object of the server is beside its methods: its reference count and the
// server reference it holds, IDispatch over the interface half of its dual interface, whose
// parameter names are the methods' own, and the error object its failures set. Object derives
// from it and lists its methods in dispatchMethods(). Invoke is written by hand rather than left
// to ITypeInfo::Invoke: that one refuses a variable passed by reference for an integer parameter,
// and would write back into arguments passed by reference.
template <class Interface, class Object>
class DualObject : public Interface, public ISupportErrorInfo {
public:
    DualObject(ComPtr<ITypeInfo> interfaceHalf, const wchar_t* progId)
        : interfaceHalf_(std::move(interfaceHalf)), source_{progId, __uuidof(Interface)} {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface))
            *out = static_cast<Interface*>(this);
        else if (iid == IID_ISupportErrorInfo)
            *out = static_cast<ISupportErrorInfo*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.release(static_cast<Object*>(this)); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        *info = ComPtr<ITypeInfo>(interfaceHalf_).detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        return DispGetIDsOfNames(interfaceHalf_.get(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        const auto methods = Object::dispatchMethods();
        const auto method = std::find_if(methods.begin(), methods.end(),
                                         [id](const auto& known) { return known.id == id; });
        if (method == methods.end() || !(flags & DISPATCH_METHOD))
            return DISP_E_MEMBERNOTFOUND;
        if (!parameters)
            return E_INVALIDARG;
        OrderedArguments arguments;
        HRESULT ordered = orderArguments(*parameters, method->parameters, arguments, argumentError);
        if (FAILED(ordered))
            return ordered;
        if (result)
            VariantInit(result);
        return (static_cast<Object*>(this)->*method->invoke)(
            {arguments, *parameters, result, exception, argumentError});
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return iid == __uuidof(Interface) ? S_OK : S_FALSE;
    }

protected:
    ~DualObject() = default;

    // Hands a core result to the caller, or reports its failure.
    HRESULT deliver(const Result<Variant>& outcome, VARIANT* result, EXCEPINFO* exception) {
        if (!outcome.ok())
            return reportFailure(outcome.failure(), source_, exception);
        if (!result)
            return S_OK;
        return clientValue(outcome.value(), *result);
    }

private:
    RefCount<Object> refs_;
    ProcessReference process_;
    ComPtr<ITypeInfo> interfaceHalf_;
    ErrorSource source_;
};

} // namespace sheetpush::com
