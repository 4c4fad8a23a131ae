#pragma once

#include "com/dual_object.hpp"
#include "server/excel_linke.hpp"
#include "sheetpush_h.h"

#include <cstdint>
#include <span>

namespace sheetpush::com {

// Class ExcelLinke as COM clients see it, the core's class of that name behind its dual
// interface. Calls through the vtable and through IDispatch arrive at the same three handlers,
// which hand the arguments to the core unchanged and never write back into them.
class ExcelLinke final : public DualObject<_ExcelLinke, ExcelLinke> {
public:
    // interfaceHalf names the methods and their parameters for late-bound clients.
    ExcelLinke(WindowPlatform& platform, ComPtr<ITypeInfo> interfaceHalf)
        : DualObject(std::move(interfaceHalf), L"Sheetpush.ExcelLinke"), core_(platform) {}

    static std::span<const DispatchMethod<ExcelLinke>> dispatchMethods();

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

    sheetpush::ExcelLinke core_;
};

} // namespace sheetpush::com
