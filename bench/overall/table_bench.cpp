// Whole tables from a C++ client, late bound as most clients are: a 100 x 10 table written by
// one SheetpushTable call, the same 1,000 cells by 1,000 Sheetpush calls, one Sheetpush call,
// and ImportTable of the block, taking turns round after round; then a 10,000 x 10 table written
// whole and read back whole, and whether it came back as it went. Prints "name milliseconds"
// lines for bench/run.sh.
//
//   TableBench.exe [rounds]      (the server registered, a stand-in serving "Sheet1")

#include "rounds.hpp"

#include "local_server/com_ptr.hpp"
#include "sheetpush_h.h"
#include "sheetpush_tables_h.h"
#include "support/client_objects.hpp"
#include "support/late_bound.hpp"
#include "win32_base/raii.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using sheetpush::com::ComPtr;
using sheetpush::win32::UniqueSafeArray;
using sheetpush::win32::UniqueVariant;
using Clock = std::chrono::steady_clock;

constexpr DISPID sheetpushTableId = 0x60030000;
constexpr DISPID importTableId = 0x60030001;

// What a report's cell holds: a short text that tells its place.
std::wstring cellText(LONG row, LONG column) {
    return L"r" + std::to_wstring(row) + L"c" + std::to_wstring(column);
}

// rows x columns of cellText, from 1.
UniqueSafeArray table(LONG rows, LONG columns) {
    SAFEARRAYBOUND bounds[] = {{static_cast<ULONG>(rows), 1}, {static_cast<ULONG>(columns), 1}};
    UniqueSafeArray array(SafeArrayCreate(VT_VARIANT, 2, bounds));
    for (LONG row = 1; row <= rows; ++row)
        for (LONG column = 1; column <= columns; ++column) {
            LONG at[] = {row, column};
            VARIANT cell = e2e::text(cellText(row, column));
            SafeArrayPutElement(array.get(), at, &cell);
            VariantClear(&cell);
        }
    return array;
}

// One late-bound call with the arguments given, by value, in parameter order; the caller keeps
// them.
bool call(IDispatch& object, DISPID id, std::vector<VARIANT> arguments, VARIANT& result) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return SUCCEEDED(object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                   &result, nullptr, nullptr));
}

class Tables {
public:
    explicit Tables(IDispatch& tables) : tables_(tables), sheet_(e2e::text(L"Sheet1")) {}
    Tables(const Tables&) = delete;
    Tables& operator=(const Tables&) = delete;
    ~Tables() { VariantClear(&sheet_); }

    // The array goes by value, as the VARIANT that holds it.
    bool write(SAFEARRAY* values) {
        VARIANT held{};
        held.vt = VT_ARRAY | VT_VARIANT;
        held.parray = values;
        UniqueVariant result;
        return call(tables_, sheetpushTableId, {held, e2e::number(1), e2e::number(1), sheet_},
                    *result.get()) &&
               result->vt == VT_BOOL && result->boolVal;
    }

    // Whether the block came back holding cellText in every cell.
    bool readBack(LONG rows, LONG columns) {
        UniqueVariant result;
        if (!call(tables_, importTableId,
                  {e2e::number(1), e2e::number(1), e2e::number(columns), e2e::number(rows), sheet_},
                  *result.get()) ||
            result->vt != (VT_ARRAY | VT_VARIANT))
            return false;
        sheetpush::win32::SafeArrayData data(result->parray);
        const auto* cells = static_cast<const VARIANT*>(data.data());
        for (LONG column = 1; column <= columns; ++column)
            for (LONG row = 1; row <= rows; ++row, ++cells)
                if (cells->vt != VT_BSTR || cells->bstrVal != cellText(row, column))
                    return false;
        return true;
    }

private:
    IDispatch& tables_;
    VARIANT sheet_;
};

double millisecondsOf(const std::function<bool()>& work) {
    auto start = Clock::now();
    if (!work())
        return -1;
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

ComPtr<IDispatch> created(REFCLSID clsid) {
    ComPtr<IDispatch> object;
    CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                     reinterpret_cast<void**>(object.put()));
    return object;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    sheetpush::win32::ComApartment apartment;
    auto link = created(CLSID_ExcelLinke);
    auto tablesObject = created(CLSID_ExcelTable);
    if (!link || !tablesObject) {
        std::fprintf(stderr, "could not create the server's objects\n");
        return 1;
    }
    Tables tables(*tablesObject.get());
    const auto report = table(100, 10);
    auto cell = [&](int i) {
        const LONG row = i / 10 % 100 + 1, column = i % 10 + 1;
        return e2e::callSheetpush(*link.get(), e2e::sheetpushId, cellText(row, column), column, row,
                                  L"Sheet1");
    };
    std::vector<bench::Method> methods = {
        {"table-100x10", [&](int) { return tables.write(report.get()); }, 5, {}},
        {"cells-1000",
         [&](int) {
             for (int i = 0; i < 1000; ++i)
                 if (!cell(i))
                     return false;
             return true;
         },
         1,
         {}},
        {"sheetpush-one", cell, 100, {}},
        {"import-100x10", [&](int) { return tables.readBack(100, 10); }, 5, {}},
    };
    bench::measure(methods, rounds);
    for (const auto& method : methods)
        std::printf("%s %.4f\n", method.name, bench::median(method.roundMs));

    const auto big = table(10000, 10);
    std::printf("table-10000x10-write %.1f\n",
                millisecondsOf([&] { return tables.write(big.get()); }));
    std::printf("table-10000x10-read %.1f\n",
                millisecondsOf([&] { return tables.readBack(10000, 10); }));
    return 0;
}
