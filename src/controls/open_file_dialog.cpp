#include "controls/open_file_dialog.hpp"
#include "vocabulary/error_numbers.hpp"

namespace sheetpush {

Status CommonDialog::ShowOpen() {
    auto chosen = dialog_.showOpen({DialogTitle, FileName, Filter, maxFileSize_});
    if (chosen) {
        FileName = std::move(*chosen);
        return {};
    }
    if (cancelError_)
        return error::dialogCancelled();
    return {};
}

} // namespace sheetpush
