#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace e2e {

// The ids of the processes that run the program of this file name, say "Sheetpush.exe".
std::vector<DWORD> processesRunning(std::wstring_view program);

// Waits, at most limitMs, until none runs; true when none does.
bool awaitNoneRunning(std::wstring_view program, DWORD limitMs);

} // namespace e2e
