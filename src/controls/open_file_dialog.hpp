#pragma once

#include "platform/file_dialog.hpp"
#include "vocabulary/result.hpp"

#include <cstddef>
#include <string>

namespace sheetpush {

// An open-file dialog control: its settings live here, the platform shows it.
class CommonDialog {
public:
    CommonDialog(FileDialog& dialog, std::size_t maxFileSize, bool cancelError)
        : dialog_(dialog), maxFileSize_(maxFileSize), cancelError_(cancelError) {}

    std::u16string DialogTitle;
    std::u16string FileName;
    std::u16string Filter;

    std::size_t maxFileSize() const { return maxFileSize_; }
    bool cancelError() const { return cancelError_; }

    // FileName changes only when the person confirms a file. A cancel is a failure only where
    // the control was set up to report it.
    Status ShowOpen();

private:
    FileDialog& dialog_;
    std::size_t maxFileSize_;
    bool cancelError_;
};

} // namespace sheetpush
