#include "com/excel_table.hpp"

#include "com/variant_conversion.hpp"
#include "win32_base/boundary.hpp"

#include "dispatch_ids.h"
#include "win32_base/raii.hpp"

namespace sheetpush::com {

std::span<const DispatchMethod<ExcelTable>> ExcelTable::dispatchMethods() {
    static constexpr DispatchMethod<ExcelTable> methods[] = {
        {dispid::SheetpushTable, 4, &ExcelTable::invokeSheetpushTable},
        {dispid::ImportTable, 5, &ExcelTable::invokeImportTable},
    };
    return methods;
}

HRESULT ExcelTable::invokeSheetpushTable(const DispatchCall& call) {
    const auto& arguments = call.arguments;
    return sheetpushTable(*arguments[0], *arguments[1], *arguments[2], *arguments[3], call.result,
                          call.exception);
}

HRESULT ExcelTable::invokeImportTable(const DispatchCall& call) {
    const auto& arguments = call.arguments;
    return importTable(*arguments[0], *arguments[1], *arguments[2], *arguments[3], *arguments[4],
                       call.result, call.exception);
}

HRESULT ExcelTable::SheetpushTable(VARIANT* Values, VARIANT* Col, VARIANT* Row, VARIANT* Sheet,
                                   VARIANT_BOOL* result) {
    if (!Values || !Col || !Row || !Sheet || !result)
        return E_POINTER;
    *result = VARIANT_FALSE;
    win32::UniqueVariant written;
    HRESULT outcome = sheetpushTable(*Values, *Col, *Row, *Sheet, written.get(), nullptr);
    if (SUCCEEDED(outcome))
        *result = written->boolVal;
    return outcome;
}

HRESULT ExcelTable::ImportTable(VARIANT* Col, VARIANT* Row, VARIANT* Cols, VARIANT* Rows,
                                VARIANT* Sheet, VARIANT* result) {
    if (!Col || !Row || !Cols || !Rows || !Sheet || !result)
        return E_POINTER;
    VariantInit(result);
    return importTable(*Col, *Row, *Cols, *Rows, *Sheet, result, nullptr);
}

HRESULT ExcelTable::sheetpushTable(const VARIANT& Values, const VARIANT& Col, const VARIANT& Row,
                                   const VARIANT& Sheet, VARIANT* result, EXCEPINFO* exception) {
    return win32::guardedMethod([&] {
        auto outcome = core_.SheetpushTable(coreValue(Values), coreValue(Col), coreValue(Row),
                                            coreValue(Sheet));
        return deliver(outcome, result, exception);
    });
}

HRESULT ExcelTable::importTable(const VARIANT& Col, const VARIANT& Row, const VARIANT& Cols,
                                const VARIANT& Rows, const VARIANT& Sheet, VARIANT* result,
                                EXCEPINFO* exception) {
    return win32::guardedMethod([&] {
        auto outcome = core_.ImportTable(coreValue(Col), coreValue(Row), coreValue(Cols),
                                         coreValue(Rows), coreValue(Sheet));
        return deliver(outcome, result, exception);
    });
}

} // namespace sheetpush::com
