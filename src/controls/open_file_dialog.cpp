#include "controls/open_file_dialog.hpp"

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
