#pragma once

#include "local_server/com_ptr.hpp"
#include "support/client_objects.hpp"
#include "support/late_bound.hpp"
#include "win32_base/raii.hpp"

#include <oaidl.h>

#include <string>
#include <vector>

namespace robustness {

// What one late-bound call gave back: the call's HRESULT, its result, and for DISP_E_EXCEPTION
// the error the server described in EXCEPINFO.
struct Outcome {
    HRESULT called = E_FAIL;
    sheetpush::win32::UniqueVariant result;
    HRESULT scode = S_OK;
    std::wstring description;
    std::wstring source;

    bool returnedTrue() const {
        return SUCCEEDED(called) && result->vt == VT_BOOL && result->boolVal == VARIANT_TRUE;
    }
    bool returnedFalse() const {
        return SUCCEEDED(called) && result->vt == VT_BOOL && result->boolVal == VARIANT_FALSE;
    }
    // The error number the client sees, from EXCEPINFO or from the call's own HRESULT.
    HRESULT error() const { return called == DISP_E_EXCEPTION ? scode : called; }
};

// One ExcelLinke object of the server, called through IDispatch the way late-bound clients do.
// Arguments are given in parameter order and passed as they are (by value unless the VARIANT
// itself is a reference); the caller keeps ownership of them.
class Link {
public:
    Link();
    // An object asked for through a class object the client already holds.
    explicit Link(IClassFactory& factory);
    bool ready() const { return static_cast<bool>(dispatch_); }

    void call(DISPID id, std::vector<VARIANT> arguments, Outcome& outcome);

    // Sheetpush of plain text to (column, row) of sheet; true when it returned True.
    bool push(const std::wstring& text, LONG column, LONG row, const std::wstring& sheet);
    // The cell's text as ImportFromExcel returns it, or "<failed>".
    std::wstring read(LONG column, LONG row, const std::wstring& sheet);

private:
    sheetpush::com::ComPtr<IDispatch> dispatch_;
};

using e2e::cell;
using e2e::importId;
using e2e::linkingId;
using e2e::number;
using e2e::sheetpushId;
using e2e::text;

} // namespace robustness
