#include "com/excel_linke.hpp"

#include "com/variant_conversion.hpp"
#include "win32_base/boundary.hpp"

#include "dispatch_ids.h"

namespace sheetpush::com {

std::span<const DispatchMethod<ExcelLinke>> ExcelLinke::dispatchMethods() {
    static constexpr DispatchMethod<ExcelLinke> methods[] = {
        {dispid::Sheetpush, 4, &ExcelLinke::invokeSheetpush},
        {dispid::ImportFromExcel, 3, &ExcelLinke::invokeImportFromExcel},
        {dispid::ExcelLinking, 2, &ExcelLinke::invokeExcelLinking},
    };
    return methods;
}

HRESULT ExcelLinke::invokeSheetpush(const DispatchCall& call) {
    const auto& arguments = call.arguments;
    return sheetpush(*arguments[0], *arguments[1], *arguments[2], *arguments[3], call.result,
                     call.exception);
}

HRESULT ExcelLinke::invokeImportFromExcel(const DispatchCall& call) {
    const auto& arguments = call.arguments;
    return importFromExcel(*arguments[0], *arguments[1], *arguments[2], call.result,
                           call.exception);
}

// ExcelShow may come in any form; it is coerced here, where the vtable takes a 32-bit integer.
HRESULT ExcelLinke::invokeExcelLinking(const DispatchCall& call) {
    std::int32_t mode = 0;
    if (HRESULT coerced = showMode(*call.arguments[1], mode); FAILED(coerced)) {
        if (call.argumentError)
            *call.argumentError = static_cast<UINT>(call.arguments[1] - call.parameters.rgvarg);
        return coerced;
    }
    VARIANT_BOOL launched = VARIANT_FALSE;
    HRESULT outcome = excelLinking(*call.arguments[0], mode, launched);
    if (SUCCEEDED(outcome) && call.result) {
        call.result->vt = VT_BOOL;
        call.result->boolVal = launched;
    }
    return outcome;
}

HRESULT ExcelLinke::Sheetpush(VARIANT* txt, VARIANT* Col, VARIANT* Row, VARIANT* Sheet,
                              VARIANT* result) {
    if (!txt || !Col || !Row || !Sheet || !result)
        return E_POINTER;
    VariantInit(result);
    return sheetpush(*txt, *Col, *Row, *Sheet, result, nullptr);
}

HRESULT ExcelLinke::ImportFromExcel(VARIANT* Col, VARIANT* Row, VARIANT* Sheet, VARIANT* result) {
    if (!Col || !Row || !Sheet || !result)
        return E_POINTER;
    VariantInit(result);
    return importFromExcel(*Col, *Row, *Sheet, result, nullptr);
}

HRESULT ExcelLinke::ExcelLinking(VARIANT* XLS, LONG* ExcelShow, VARIANT_BOOL* result) {
    if (!XLS || !ExcelShow || !result)
        return E_POINTER;
    return excelLinking(*XLS, *ExcelShow, *result);
}

HRESULT ExcelLinke::sheetpush(const VARIANT& txt, const VARIANT& Col, const VARIANT& Row,
                              const VARIANT& Sheet, VARIANT* result, EXCEPINFO* exception) {
    return win32::guardedMethod([&] {
        auto outcome =
            core_.Sheetpush(coreValue(txt), coreValue(Col), coreValue(Row), coreValue(Sheet));
        return deliver(outcome, result, exception);
    });
}

HRESULT ExcelLinke::importFromExcel(const VARIANT& Col, const VARIANT& Row, const VARIANT& Sheet,
                                    VARIANT* result, EXCEPINFO* exception) {
    return win32::guardedMethod([&] {
        auto outcome = core_.ImportFromExcel(coreValue(Col), coreValue(Row), coreValue(Sheet));
        return deliver(outcome, result, exception);
    });
}

HRESULT ExcelLinke::excelLinking(const VARIANT& XLS, std::int32_t ExcelShow, VARIANT_BOOL& result) {
    return win32::guardedMethod([&] {
        result = core_.ExcelLinking(coreValue(XLS), ExcelShow) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

} // namespace sheetpush::com
