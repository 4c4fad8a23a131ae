#include "server/com/excel_linke_object.hpp"

#include "server/com/automation_error.hpp"
#include "server/com/boundary.hpp"
#include "server/com/dispatch_arguments.hpp"
#include "server/com/variant_conversion.hpp"

namespace sheetpush::com {

namespace {

constexpr DISPID sheetpushId = 0x60030000;
constexpr DISPID importFromExcelId = 0x60030001;
constexpr DISPID excelLinkingId = 0x60030002;

UINT parameterCount(DISPID id) {
    switch (id) {
    case sheetpushId:
        return 4;
    case importFromExcelId:
        return 3;
    case excelLinkingId:
        return 2;
    default:
        return 0;
    }
}

// Hands a core result to the caller, or reports its failure.
HRESULT deliver(const Result<Variant>& outcome, VARIANT* result, EXCEPINFO* exception) {
    if (!outcome.ok())
        return reportFailure(outcome.failure(), exception);
    if (!result)
        return S_OK;
    return clientValue(outcome.value(), *result);
}

} // namespace

HRESULT ExcelLinkeObject::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__ExcelLinke)
        *out = static_cast<_ExcelLinke*>(this);
    else if (iid == IID_ISupportErrorInfo)
        *out = static_cast<ISupportErrorInfo*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT ExcelLinkeObject::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT ExcelLinkeObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    *info = ComPtr<ITypeInfo>(interfaceHalf_).detach();
    return S_OK;
}

HRESULT ExcelLinkeObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                        DISPID* ids) {
    if (iid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    return DispGetIDsOfNames(interfaceHalf_.get(), names, count, ids);
}

// Written by hand rather than left to ITypeInfo::Invoke: that one refuses a variable passed by
// reference for the integer parameter, and would write back into arguments passed by reference.
HRESULT ExcelLinkeObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                 VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
    if (iid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    UINT count = parameterCount(id);
    if (!count || !(flags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (!parameters)
        return E_INVALIDARG;
    OrderedArguments arguments;
    HRESULT ordered = orderArguments(*parameters, count, arguments, argumentError);
    if (FAILED(ordered))
        return ordered;
    if (result)
        VariantInit(result);
    if (id == sheetpushId)
        return sheetpush(*arguments[0], *arguments[1], *arguments[2], *arguments[3], result,
                         exception);
    if (id == importFromExcelId)
        return importFromExcel(*arguments[0], *arguments[1], *arguments[2], result, exception);
    return invokeExcelLinking(arguments, *parameters, result, argumentError);
}

// ExcelShow may come in any form; it is coerced here, where the vtable takes a 32-bit integer.
HRESULT ExcelLinkeObject::invokeExcelLinking(const OrderedArguments& arguments,
                                             const DISPPARAMS& parameters, VARIANT* result,
                                             UINT* argumentError) {
    std::int32_t mode = 0;
    if (HRESULT coerced = showMode(*arguments[1], mode); FAILED(coerced)) {
        if (argumentError)
            *argumentError = static_cast<UINT>(arguments[1] - parameters.rgvarg);
        return coerced;
    }
    VARIANT_BOOL launched = VARIANT_FALSE;
    HRESULT outcome = excelLinking(*arguments[0], mode, launched);
    if (SUCCEEDED(outcome) && result) {
        result->vt = VT_BOOL;
        result->boolVal = launched;
    }
    return outcome;
}

HRESULT ExcelLinkeObject::Sheetpush(VARIANT* txt, VARIANT* Col, VARIANT* Row, VARIANT* Sheet,
                                    VARIANT* result) {
    if (!txt || !Col || !Row || !Sheet || !result)
        return E_POINTER;
    VariantInit(result);
    return sheetpush(*txt, *Col, *Row, *Sheet, result, nullptr);
}

HRESULT ExcelLinkeObject::ImportFromExcel(VARIANT* Col, VARIANT* Row, VARIANT* Sheet,
                                          VARIANT* result) {
    if (!Col || !Row || !Sheet || !result)
        return E_POINTER;
    VariantInit(result);
    return importFromExcel(*Col, *Row, *Sheet, result, nullptr);
}

HRESULT ExcelLinkeObject::ExcelLinking(VARIANT* XLS, LONG* ExcelShow, VARIANT_BOOL* result) {
    if (!XLS || !ExcelShow || !result)
        return E_POINTER;
    return excelLinking(*XLS, *ExcelShow, *result);
}

HRESULT ExcelLinkeObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == IID__ExcelLinke ? S_OK : S_FALSE;
}

HRESULT ExcelLinkeObject::sheetpush(const VARIANT& txt, const VARIANT& Col, const VARIANT& Row,
                                    const VARIANT& Sheet, VARIANT* result, EXCEPINFO* exception) {
    return guarded([&] {
        auto outcome =
            core_.Sheetpush(coreValue(txt), coreValue(Col), coreValue(Row), coreValue(Sheet));
        return deliver(outcome, result, exception);
    });
}

HRESULT ExcelLinkeObject::importFromExcel(const VARIANT& Col, const VARIANT& Row,
                                          const VARIANT& Sheet, VARIANT* result,
                                          EXCEPINFO* exception) {
    return guarded([&] {
        auto outcome = core_.ImportFromExcel(coreValue(Col), coreValue(Row), coreValue(Sheet));
        return deliver(outcome, result, exception);
    });
}

HRESULT ExcelLinkeObject::excelLinking(const VARIANT& XLS, std::int32_t ExcelShow,
                                       VARIANT_BOOL& result) {
    return guarded([&] {
        result = core_.ExcelLinking(coreValue(XLS), ExcelShow) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

} // namespace sheetpush::com
