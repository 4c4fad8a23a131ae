#pragma once

#include "server/variant.hpp"

#include <cstdint>

namespace sheetpush {

class ExcelLink;

// Finds Excel, puts "<Excel path> <XLS>" into xlsPath and launches it with the caller's mode.
bool excelLinking(ExcelLink& window, const Variant& XLS, std::int32_t ExcelShow);

// The Run button: launches xlsPath as it stands, maximized.
void runCommandLine(ExcelLink& window);

} // namespace sheetpush
