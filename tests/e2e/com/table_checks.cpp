#include "table_checks.hpp"

#include "local_server/com_ptr.hpp"
#include "sheetpush_tables_h.h"
#include "support/client_objects.hpp"
#include "win32_base/raii.hpp"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

namespace {

using sheetpush::com::ComPtr;
using sheetpush::win32::UniqueSafeArray;
using sheetpush::win32::UniqueVariant;

constexpr DISPID sheetpushTableId = 0x60030000;
constexpr DISPID importTableId = 0x60030001;
constexpr HRESULT invalidUseOfNull = static_cast<HRESULT>(0x800A005E);

VARIANT real(double value) {
    VARIANT variant{};
    variant.vt = VT_R8;
    variant.dblVal = value;
    return variant;
}

VARIANT boolean(bool value) {
    VARIANT variant{};
    variant.vt = VT_BOOL;
    variant.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return variant;
}

// A 2-D array of element type, rows by columns from the lower bounds given; values, row after
// row, are put at (row, column) as a client's language indexes them and are cleared after.
UniqueSafeArray grid(VARTYPE type, LONG rows, LONG columns, LONG rowBase, LONG columnBase,
                     std::vector<VARIANT> values) {
    SAFEARRAYBOUND bounds[] = {{static_cast<ULONG>(rows), rowBase},
                               {static_cast<ULONG>(columns), columnBase}};
    UniqueSafeArray array(SafeArrayCreate(type, 2, bounds));
    for (LONG row = 0; row < rows; ++row)
        for (LONG column = 0; column < columns; ++column) {
            LONG at[] = {rowBase + row, columnBase + column};
            auto& value = values[static_cast<std::size_t>(row * columns + column)];
            SafeArrayPutElement(array.get(), at,
                                type == VT_VARIANT ? static_cast<void*>(&value)
                                : type == VT_BSTR  ? static_cast<void*>(value.bstrVal)
                                                   : static_cast<void*>(&value.lVal));
            VariantClear(&value);
        }
    return array;
}

VARIANT holding(UniqueSafeArray array, VARTYPE type) {
    VARIANT variant{};
    variant.vt = VT_ARRAY | type;
    variant.parray = array.detach();
    return variant;
}

// The texts of a result that must be a 2-D array of strings, rows by columns from 1, row after
// row; nothing when it is not.
std::optional<std::vector<std::wstring>> textsOf(const VARIANT& result, LONG rows, LONG columns) {
    LONG lower[2] = {}, upper[2] = {};
    if (result.vt != (VT_ARRAY | VT_VARIANT) || SafeArrayGetDim(result.parray) != 2)
        return std::nullopt;
    for (UINT dimension : {1u, 2u}) {
        SafeArrayGetLBound(result.parray, dimension, &lower[dimension - 1]);
        SafeArrayGetUBound(result.parray, dimension, &upper[dimension - 1]);
    }
    if (lower[0] != 1 || lower[1] != 1 || upper[0] != rows || upper[1] != columns)
        return std::nullopt;
    std::vector<std::wstring> texts;
    for (LONG row = 1; row <= rows; ++row)
        for (LONG column = 1; column <= columns; ++column) {
            LONG at[] = {row, column};
            UniqueVariant cell;
            if (FAILED(SafeArrayGetElement(result.parray, at, cell.get())) || cell->vt != VT_BSTR)
                return std::nullopt;
            texts.emplace_back(cell->bstrVal, SysStringLen(cell->bstrVal));
        }
    return texts;
}

// The lower and upper bounds of each dimension of an array argument, first to last.
std::vector<LONG> boundsOf(const VARIANT& value) {
    std::vector<LONG> bounds;
    if (!(value.vt & VT_ARRAY) || !value.parray)
        return bounds;
    for (UINT dimension = 1; dimension <= SafeArrayGetDim(value.parray); ++dimension) {
        LONG lower = 0, upper = 0;
        SafeArrayGetLBound(value.parray, dimension, &lower);
        SafeArrayGetUBound(value.parray, dimension, &upper);
        bounds.insert(bounds.end(), {lower, upper});
    }
    return bounds;
}

class TableClient {
public:
    explicit TableClient(Checks& checks) : checks_(checks) {
        HRESULT created = CoCreateInstance(CLSID_ExcelTable, nullptr, CLSCTX_LOCAL_SERVER,
                                           IID__ExcelTable, reinterpret_cast<void**>(table_.put()));
        checks_.expect(SUCCEEDED(created), "CoCreateInstance of ExcelTable");
        dispatch_ = table_.query<IDispatch>();
    }
    bool ready() const { return table_ && dispatch_; }
    _ExcelTable& table() { return *table_.get(); }
    IDispatch& dispatch() { return *dispatch_.get(); }

    // Arguments in parameter order, by value; they are cleared after the call.
    HRESULT invoke(DISPID id, std::vector<VARIANT> arguments, VARIANT* result,
                   EXCEPINFO* exception = nullptr) {
        std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
        DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        UINT argumentError = 0;
        HRESULT called = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                           &parameters, result, exception, &argumentError);
        for (auto& argument : reversed)
            VariantClear(&argument);
        return called;
    }

    // The block's texts, read through the vtable.
    std::optional<std::vector<std::wstring>> read(LONG column, LONG row, LONG columns, LONG rows) {
        VARIANT col = number(column), top = number(row), cols = number(columns),
                count = number(rows), sheet = text(L"Sheet1");
        UniqueVariant result;
        HRESULT called = table_->ImportTable(&col, &top, &cols, &count, &sheet, result.get());
        VariantClear(&sheet);
        return SUCCEEDED(called) ? textsOf(*result.get(), rows, columns) : std::nullopt;
    }

private:
    Checks& checks_;
    ComPtr<_ExcelTable> table_;
    ComPtr<IDispatch> dispatch_;
};

// Tables as a C++ client passes them: arrays of variants and of plain types, by value and by
// reference, through the vtable and through IDispatch; each read back whole.
void checkWrites(Checks& checks, TableClient& client) {
    struct Case {
        const char* what;
        std::function<VARIANT()> values;
        bool byDispatch;
        LONG rows;
        LONG columns;
        std::vector<std::wstring> texts;
    };
    const std::vector<Case> cases = {
        {"variants of every kind, rows from 1 and columns from 0, through the vtable",
         [] {
             return holding(grid(VT_VARIANT, 2, 3, 1, 0,
                                 {text(L"text"), real(12.5), boolean(true), VARIANT{}, number(42),
                                  text(L"last")}),
                            VT_VARIANT);
         },
         false,
         2,
         3,
         {L"text", L"12.5", L"True", L"", L"42", L"last"}},
        {"an array of strings, through IDispatch",
         [] {
             return holding(grid(VT_BSTR, 1, 2, 0, 0, {text(L"p"), text(L"q")}), VT_BSTR);
         },
         true,
         1,
         2,
         {L"p", L"q"}},
        {"an array of 32-bit integers, through IDispatch",
         [] {
             return holding(grid(VT_I4, 2, 2, 0, 0, {number(1), number(2), number(3), number(4)}),
                            VT_I4);
         },
         true,
         2,
         2,
         {L"1", L"2", L"3", L"4"}},
    };
    LONG row = 30;
    for (const auto& c : cases) {
        const std::string what = c.what;
        VARIANT values = c.values();
        const auto before = boundsOf(values);
        VARIANT col = number(2), top = number(row), sheet = text(L"Sheet1");
        bool written = false;
        if (c.byDispatch) {
            UniqueVariant result;
            HRESULT called =
                client.invoke(sheetpushTableId, {values, col, top, sheet}, result.get());
            written = SUCCEEDED(called) && result->vt == VT_BOOL && result->boolVal;
        } else {
            VARIANT_BOOL result = VARIANT_FALSE;
            written =
                SUCCEEDED(client.table().SheetpushTable(&values, &col, &top, &sheet, &result)) &&
                result == VARIANT_TRUE;
            checks.equal(boundsOf(values), before, what + ": the array comes back as it went");
            VariantClear(&values);
            VariantClear(&sheet);
        }
        checks.expect(written, what + ": True");
        checks.equal(client.read(2, row, c.columns, c.rows), std::optional(c.texts),
                     what + ": reads back whole, rows by columns from 1");
        row += 5;
    }
}

// Each refusal shows its message, which the script checks; the last leaves the rows of the bands
// before the refused one in place, and says how many, which this prints for the script.
void checkRefusals(Checks& checks, TableClient& client) {
    auto push = [&](VARIANT values, LONG column, LONG row) {
        UniqueVariant result;
        HRESULT called = client.invoke(
            sheetpushTableId, {values, number(column), number(row), text(L"Sheet1")}, result.get());
        return SUCCEEDED(called) && result->vt == VT_BOOL ? std::optional(result->boolVal != 0)
                                                          : std::nullopt;
    };
    auto tab = holding(grid(VT_BSTR, 1, 2, 0, 0, {text(L"before"), text(L"a\tb")}), VT_BSTR);
    checks.equal(push(tab, 5, 40), std::optional(false), "a cell text with a TAB: False");
    checks.equal(client.read(5, 40, 2, 1), std::optional(std::vector<std::wstring>{L"", L""}),
                 "a cell text with a TAB: nothing written");
    auto edge = holding(grid(VT_BSTR, 1, 2, 0, 0, {text(L"a"), text(L"b")}), VT_BSTR);
    checks.equal(push(edge, 16384, 1), std::optional(false), "a block past the last column: False");

    std::vector<VARIANT> cells;
    std::vector<std::wstring> texts;
    for (int row = 1; row <= 3000; ++row)
        for (const wchar_t* column : {L"first ", L"second "}) {
            texts.push_back(column + std::to_wstring(row) + std::wstring(40, L'x'));
            cells.push_back(text(texts.back()));
        }
    checks.equal(
        push(holding(grid(VT_VARIANT, 3000, 2, 0, 0, std::move(cells)), VT_VARIANT), 5, 1001),
        std::optional(false), "a table whose later band is refused: False");
    auto back = client.read(5, 1001, 2, 3000).value_or(std::vector<std::wstring>{});
    back.resize(texts.size());
    std::size_t landed = 0;
    while (landed < 3000 && back[2 * landed] == texts[2 * landed] &&
           back[2 * landed + 1] == texts[2 * landed + 1])
        ++landed;
    checks.expect(landed > 0 && landed < 3000, "some rows landed, not all");
    checks.expect(std::all_of(back.begin() + static_cast<long>(2 * landed), back.end(),
                              [](const auto& cell) { return cell.empty(); }),
                  "no row after them was written");
    std::printf("landed %zu\n", landed);
}

// What the dispatcher and the error object say about the class.
void checkNamesAndErrors(Checks& checks, TableClient& client) {
    for (auto [name, id] : {std::pair{L"SheetpushTable", sheetpushTableId},
                            std::pair{L"importtable", importTableId}}) {
        DISPID found = 0;
        auto asked = const_cast<LPOLESTR>(name);
        checks.expect(SUCCEEDED(client.dispatch().GetIDsOfNames(IID_NULL, &asked, 1, 0, &found)) &&
                          found == id,
                      "GetIDsOfNames gives the fixed DISPID");
    }
    VARIANT nullSheet{};
    nullSheet.vt = VT_NULL;
    EXCEPINFO exception{};
    UniqueVariant result;
    HRESULT called =
        client.invoke(importTableId, {number(1), number(1), number(1), number(1), nullSheet},
                      result.get(), &exception);
    checks.expect(called == DISP_E_EXCEPTION && exception.scode == invalidUseOfNull &&
                      std::wstring(exception.bstrSource) == L"Sheetpush.ExcelTable",
                  "a failed call names Sheetpush.ExcelTable as its source");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

} // namespace

void checkTables(Checks& checks) {
    TableClient client(checks);
    if (!client.ready())
        return;
    checkWrites(checks, client);
    checkRefusals(checks, client);
    checkNamesAndErrors(checks, client);
}

} // namespace e2e
