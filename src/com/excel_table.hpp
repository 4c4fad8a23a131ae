#pragma once

#include "com/dual_object.hpp"
#include "server/excel_table.hpp"
#include "sheetpush_tables_h.h"

#include <span>

namespace sheetpush::com {

// Class ExcelTable as COM clients see it, the core's class of that name behind its dual
// interface: calls through the vtable and through IDispatch reach the same two handlers, which
// hand the arguments to the core unchanged and never write back into them.
class ExcelTable final : public DualObject<_ExcelTable, ExcelTable> {
public:
    // interfaceHalf names the methods and their parameters for late-bound clients.
    ExcelTable(WindowPlatform& platform, ComPtr<ITypeInfo> interfaceHalf)
        : DualObject(std::move(interfaceHalf), L"Sheetpush.ExcelTable"), core_(platform) {}

    static std::span<const DispatchMethod<ExcelTable>> dispatchMethods();

    HRESULT STDMETHODCALLTYPE SheetpushTable(VARIANT* Values, VARIANT* Col, VARIANT* Row,
                                             VARIANT* Sheet, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ImportTable(VARIANT* Col, VARIANT* Row, VARIANT* Cols, VARIANT* Rows,
                                          VARIANT* Sheet, VARIANT* result) override;

private:
    HRESULT invokeSheetpushTable(const DispatchCall& call);
    HRESULT invokeImportTable(const DispatchCall& call);

    HRESULT sheetpushTable(const VARIANT& Values, const VARIANT& Col, const VARIANT& Row,
                           const VARIANT& Sheet, VARIANT* result, EXCEPINFO* exception);
    HRESULT importTable(const VARIANT& Col, const VARIANT& Row, const VARIANT& Cols,
                        const VARIANT& Rows, const VARIANT& Sheet, VARIANT* result,
                        EXCEPINFO* exception);

    sheetpush::ExcelTable core_;
};

} // namespace sheetpush::com
