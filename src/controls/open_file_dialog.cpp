#include "controls/open_file_dialog.hpp"

namespace sheetpush {

Status OpenFileDialog::showOpen() {
    auto chosen = dialog_.showOpen({title, fileName, filter, maxFileSize_});
    if (chosen) {
        fileName = std::move(*chosen);
        return {};
    }
    if (cancelError_)
        return error::dialogCancelled();
    return {};
}

} // namespace sheetpush
