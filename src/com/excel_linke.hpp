#pragma once

#include "com/dual_object.hpp"
#include "server/excel_linke.hpp"
#include "sheetpush_h.h"

#include <cstdint>
#include <span>

namespace sheetpush::com {

// One ExcelLinke object as COM clients see it. Calls through the vtable and through IDispatch
// arrive at the same three handlers, which hand the arguments to the core unchanged and never
// write back into them.
class ExcelLinkeObject final : public DualObject<_ExcelLinke, ExcelLinkeObject> {
public:
    // interfaceHalf names the methods and their parameters for late-bound clients.
    ExcelLinkeObject(WindowPlatform& platform, ComPtr<ITypeInfo> interfaceHalf)
        : DualObject(std::move(interfaceHalf), L"Sheetpush.ExcelLinke"), core_(platform) {}

    static std::span<const DispatchMethod<ExcelLinkeObject>> dispatchMethods();

    HRESULT STDMETHODCALLTYPE Sheetpush(VARIANT* txt, VARIANT* Col, VARIANT* Row, VARIANT* Sheet,
                                        VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE ImportFromExcel(VARIANT* Col, VARIANT* Row, VARIANT* Sheet,
                                              VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE ExcelLinking(VARIANT* XLS, LONG* ExcelShow,
                                           VARIANT_BOOL* result) override;

private:
    HRESULT invokeSheetpush(const DispatchCall& call);
    HRESULT invokeImportFromExcel(const DispatchCall& call);
    HRESULT invokeExcelLinking(const DispatchCall& call);

    HRESULT sheetpush(const VARIANT& txt, const VARIANT& Col, const VARIANT& Row,
                      const VARIANT& Sheet, VARIANT* result, EXCEPINFO* exception);
    HRESULT importFromExcel(const VARIANT& Col, const VARIANT& Row, const VARIANT& Sheet,
                            VARIANT* result, EXCEPINFO* exception);
    HRESULT excelLinking(const VARIANT& XLS, std::int32_t ExcelShow, VARIANT_BOOL& result);

    ExcelLinke core_;
};

} // namespace sheetpush::com
