#pragma once

#include <optional>
#include <string>

namespace sheetpush {

class ExcelLink;
class SettingsStore;

// The confirmed path of Excel.exe, already written to the settings store; empty when the person
// cancelled the Excel.exe dialog.
std::optional<std::u16string> discoverExcelPath(ExcelLink& window, SettingsStore& settings);

} // namespace sheetpush
