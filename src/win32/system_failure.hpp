#pragma once

#include "vocabulary/result.hpp"

#include <windows.h>

namespace sheetpush::win32 {

// Where a failed system call becomes a failure: the one the caller is told of, with the system's
// error code kept in it.
inline Failure systemFailure(Failure failure, DWORD code) {
    failure.systemCode = code;
    return failure;
}

} // namespace sheetpush::win32
