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
    FileListBox& excelFinder;
    OpenFileDialog& excelDialog;
    TextBox& commandLine;
};

// Finds Excel, puts "<Excel path> <workbook>" into the command line, the path quoted when it
// holds a blank and the workbook as the caller gave it, and launches it in the caller's mode.
bool launchWorkbook(const LaunchFields& fields, Platform& platform, const Variant& workbook,
                    std::int32_t showMode);

// The Run button: launches the command line as it stands, maximized, and gives the window the
// focus before the outcome is looked at.
void runCommandLine(const TextBox& commandLine, Platform& platform,
                    const std::function<void()>& takeFocus);

} // namespace sheetpush
