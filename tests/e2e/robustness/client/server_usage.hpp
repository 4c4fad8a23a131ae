#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace robustness {

// What the server process holds, read from outside it.
struct Usage {
    std::size_t privateBytes = 0;
    std::size_t workingSet = 0;
    std::size_t handles = 0;
    std::size_t windows = 0;
};

// The id of the running Sheetpush.exe, if exactly one runs.
std::optional<DWORD> serverProcess();

// Wine answers GetProcessHandleCount with 0, so handles are counted in the system's handle
// table; windows are the top-level and message-only windows the process owns.
std::optional<Usage> usageOf(DWORD process);

} // namespace robustness
