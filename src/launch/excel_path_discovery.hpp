#pragma once

#include "controls/file_list_box.hpp"
#include "controls/open_file_dialog.hpp"
#include "platform/settings_store.hpp"

#include <optional>
#include <string>

namespace sheetpush {

// The confirmed path of Excel.exe, already written to the settings store; empty when the person
// cancelled the Excel.exe dialog, or when it was needed while the server runs unattended, which
// asks nobody. finder is the hidden file list that looks for Excel.exe, and dialog the one that
// asks the person for it.
std::optional<std::u16string> discoverExcelPath(FileListBox& finder, OpenFileDialog& dialog,
                                                SettingsStore& settings);

} // namespace sheetpush
