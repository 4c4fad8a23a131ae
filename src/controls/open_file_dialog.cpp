#include "controls/open_file_dialog.hpp"
#include "vocabulary/error_numbers.hpp"

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
