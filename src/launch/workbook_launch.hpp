#pragma once

#include "controls/file_list_box.hpp"
#include "controls/open_file_dialog.hpp"
#include "controls/text_box.hpp"
#include "platform/platform.hpp"
#include "vocabulary/variant.hpp"

#include <cstdint>
#include <functional>

namespace sheetpush {

// The controls a workbook launch works with: the two that find Excel.exe, and the field that
// holds the command line.
struct LaunchFields {
    FileListBox& files;
    CommonDialog& excelDialog;
    TextBox& commandLine;
};

// Finds Excel, puts "<Excel path> <XLS>" into the command line, the path quoted when it holds a
// blank and the workbook part as the caller gave it, and launches it with the caller's mode.
bool excelLinking(const LaunchFields& fields, Platform& platform, const Variant& XLS,
                  std::int32_t ExcelShow);

// The Run button: launches the command line as it stands, maximized, and gives the window the
// focus before the outcome is looked at.
void runCommandLine(const TextBox& commandLine, Platform& platform,
                    const std::function<void()>& takeFocus);

} // namespace sheetpush
