#pragma once

#include "platform/file_dialog.hpp"

namespace sheetpush::win32 {

// The system's open-file dialog, with nothing set beyond what the request gives.
class Win32FileDialog : public FileDialog {
public:
    std::optional<std::u16string> showOpen(const OpenFileRequest& request) override;
};

} // namespace sheetpush::win32
