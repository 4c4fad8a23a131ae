#pragma once

#include <windows.h>

#include <new>

namespace sheetpush::com {

// Runs the body of a COM method so that no C++ exception crosses the interface: COM callers
// only understand HRESULTs.
template <class Body> HRESULT guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace sheetpush::com
