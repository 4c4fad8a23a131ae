// An early-bound C++ client: it calls Sheetpush.exe through the dual interface's vtable, with the
// declarations the type library's IDL gives (sheetpush_h.h and sheetpush_i.c from widl or MIDL).
//
//   CppClient.exe <text> <column> <row> <sheet>
#include "sheetpush_h.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <initializer_list>

namespace {

VARIANT textVariant(const wchar_t* text) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    return value;
}

VARIANT numberVariant(long number) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return value;
}

// Prints a failed call's HRESULT and the description the server left in the error object.
int report(const char* call, HRESULT result) {
    BSTR description = nullptr;
    IErrorInfo* error = nullptr;
    if (GetErrorInfo(0, &error) == S_OK) {
        error->GetDescription(&description);
        error->Release();
    }
    std::fwprintf(stderr, L"%hs failed: 0x%08lX %ls\n", call, static_cast<unsigned long>(result),
                  description ? description : L"");
    SysFreeString(description);
    return 1;
}

int run(_ExcelLinke& link, const wchar_t* text, long column, long row, const wchar_t* sheet) {
    VARIANT txt = textVariant(text), col = numberVariant(column), rowValue = numberVariant(row),
            sheetName = textVariant(sheet), pushed, back;
    VariantInit(&pushed);
    VariantInit(&back);
    int status = 0;
    HRESULT result = link.Sheetpush(&txt, &col, &rowValue, &sheetName, &pushed);
    if (FAILED(result)) {
        status = report("Sheetpush", result);
    } else if (pushed.boolVal == VARIANT_FALSE) {
        // Sheetpush has shown the user why; the call only says that it did not work.
        std::fwprintf(stderr, L"Excel refused the text\n");
        status = 1;
    } else if (FAILED(result = link.ImportFromExcel(&col, &rowValue, &sheetName, &back))) {
        status = report("ImportFromExcel", result);
    } else {
        std::wprintf(L"R%ldC%ld now holds: %ls\n", row, column, back.bstrVal);
    }
    for (VARIANT* value : {&txt, &col, &rowValue, &sheetName, &pushed, &back})
        VariantClear(value);
    return status;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fwprintf(stderr, L"usage: CppClient <text> <column> <row> <sheet>\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    _ExcelLinke* link = nullptr;
    HRESULT created = CoCreateInstance(CLSID_ExcelLinke, nullptr, CLSCTX_LOCAL_SERVER,
                                       IID__ExcelLinke, reinterpret_cast<void**>(&link));
    int status = FAILED(created) ? report("CoCreateInstance", created)
                                 : run(*link, argv[1], std::wcstol(argv[2], nullptr, 10),
                                       std::wcstol(argv[3], nullptr, 10), argv[4]);
    if (link)
        link->Release();
    CoUninitialize();
    return status;
}
