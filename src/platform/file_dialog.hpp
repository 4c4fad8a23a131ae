#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace sheetpush {

struct OpenFileRequest {
    std::u16string title;
    std::u16string fileName;
    // Description and pattern pairs, each part ended by "|".
    std::u16string filter;
    std::size_t maxFileSize = 260;
};

// The modal open-file dialog.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The full path of the confirmed file; empty when the person cancelled or the dialog could
    // not be shown.
    virtual std::optional<std::u16string> showOpen(const OpenFileRequest& request) = 0;
};

} // namespace sheetpush
