#pragma once

#include "platform/file_list.hpp"
#include "platform/trace.hpp"

namespace sheetpush::win32 {

// Counts the files (not folders) of a folder whose names match a wildcard pattern; the file
// system's own matching ignores letter case.
class Win32FileList : public FileList {
public:
    explicit Win32FileList(Trace trace = {}) : trace_(trace) {}

    Result<int> countMatching(std::u16string_view folder, std::u16string_view pattern) override;

private:
    Trace trace_;
};

} // namespace sheetpush::win32
