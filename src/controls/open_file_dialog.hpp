#pragma once

#include "platform/file_dialog.hpp"
#include "vocabulary/result.hpp"

#include <cstddef>
#include <string>

namespace sheetpush {

// An open-file dialog control: its settings live here, the platform shows it.
class OpenFileDialog {
public:
    OpenFileDialog(FileDialog& dialog, std::size_t maxFileSize, bool cancelError)
        : dialog_(dialog), maxFileSize_(maxFileSize), cancelError_(cancelError) {}

    std::u16string title;
    std::u16string fileName;
    std::u16string filter;

    std::size_t maxFileSize() const { return maxFileSize_; }
    bool cancelError() const { return cancelError_; }

    // The file name changes only when the person confirms a file. A cancel is a failure only where
    // the control was set up to report it.
    Status showOpen();

private:
    FileDialog& dialog_;
    std::size_t maxFileSize_;
    bool cancelError_;
};

} // namespace sheetpush
