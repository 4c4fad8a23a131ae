#pragma once

#include "platform/trace.hpp"
#include "vocabulary/result.hpp"

#include <windows.h>

#include <string_view>

namespace sheetpush::win32 {

// A Win32 call that failed, with its error code, the last error unless given, and the place.
void traceWin32Failure(const Trace& trace, std::u16string_view place, DWORD code = GetLastError());

// Where a failed system call becomes a failure: the one the caller is told of, with the system's
// error code kept in it. The trace records the call, its place and its code.
inline Failure systemFailure(const Trace& trace, std::u16string_view place, Failure failure,
                             DWORD code) {
    traceWin32Failure(trace, place, code);
    failure.systemCode = code;
    return failure;
}

} // namespace sheetpush::win32
