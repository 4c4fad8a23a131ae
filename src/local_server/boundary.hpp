#pragma once

#include "win32_base/boundary.hpp"

#include <windows.h>

#include <utility>

namespace sheetpush::com {

// Runs the body of a COM method so that no C++ exception crosses the interface: COM callers
// only understand HRESULTs.
template <class Body> HRESULT guarded(Body&& body) noexcept {
    return win32::guarded<HRESULT>(std::forward<Body>(body), E_OUTOFMEMORY, E_UNEXPECTED);
}

} // namespace sheetpush::com
