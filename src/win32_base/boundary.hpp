#pragma once

#include <windows.h>

#include <new>
#include <utility>

namespace sheetpush::win32 {

// Runs code that the system calls across a boundary no C++ exception may cross: a COM method, a
// window procedure, an enumeration's callback. Their callers know only their own answers, so an
// exception becomes one of those: outOfMemory for a failed allocation, unexpected for anything
// else.
template <class Answer, class Body>
Answer guarded(Body&& body, Answer outOfMemory, Answer unexpected) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (const std::bad_alloc&) {
        return outOfMemory;
    } catch (...) {
        return unexpected;
    }
}

// The body of a COM method: COM callers only understand HRESULTs.
template <class Body> HRESULT guardedMethod(Body&& body) noexcept {
    return guarded<HRESULT>(std::forward<Body>(body), E_OUTOFMEMORY, E_UNEXPECTED);
}

// The body of a window procedure. A message whose handling failed is answered 0, which the
// system takes as handled for most messages and as a refusal for WM_NCCREATE, so that a window
// whose creation failed halfway is not made.
template <class Body> LRESULT guardedProcedure(Body&& body) noexcept {
    return guarded<LRESULT>(std::forward<Body>(body), 0, 0);
}

} // namespace sheetpush::win32
