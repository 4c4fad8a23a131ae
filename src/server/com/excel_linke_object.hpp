#pragma once

#include "server/com/com_ptr.hpp"
#include "server/com/dispatch_arguments.hpp"
#include "server/com/server_lifetime.hpp"
#include "server/excel_linke.hpp"
#include "sheetpush_h.h"

namespace sheetpush::com {

// One ExcelLinke object as COM clients see it. Calls through the vtable and through IDispatch
// arrive at the same three handlers, which hand the arguments to the core unchanged and never
// write back into them.
class ExcelLinkeObject final : public _ExcelLinke, public ISupportErrorInfo {
public:
    // interfaceHalf names the methods and their parameters for late-bound clients.
    ExcelLinkeObject(WindowPlatform& platform, ComPtr<ITypeInfo> interfaceHalf)
        : core_(platform), interfaceHalf_(std::move(interfaceHalf)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

    HRESULT STDMETHODCALLTYPE Sheetpush(VARIANT* txt, VARIANT* Col, VARIANT* Row, VARIANT* Sheet,
                                        VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE ImportFromExcel(VARIANT* Col, VARIANT* Row, VARIANT* Sheet,
                                              VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE ExcelLinking(VARIANT* XLS, LONG* ExcelShow,
                                           VARIANT_BOOL* result) override;

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

private:
    HRESULT sheetpush(const VARIANT& txt, const VARIANT& Col, const VARIANT& Row,
                      const VARIANT& Sheet, VARIANT* result, EXCEPINFO* exception);
    HRESULT importFromExcel(const VARIANT& Col, const VARIANT& Row, const VARIANT& Sheet,
                            VARIANT* result, EXCEPINFO* exception);
    HRESULT excelLinking(const VARIANT& XLS, std::int32_t ExcelShow, VARIANT_BOOL& result);
    HRESULT invokeExcelLinking(const OrderedArguments& arguments, const DISPPARAMS& parameters,
                               VARIANT* result, UINT* argumentError);

    RefCount<ExcelLinkeObject> refs_;
    ProcessReference process_;
    ExcelLinke core_;
    ComPtr<ITypeInfo> interfaceHalf_;
};

} // namespace sheetpush::com
