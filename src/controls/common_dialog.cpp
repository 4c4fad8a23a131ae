#include "controls/common_dialog.hpp"

namespace sheetpush {

Status CommonDialog::ShowOpen() {
    auto chosen = dialog_.showOpen({DialogTitle, FileName, Filter, maxFileSize_});
    if (chosen) {
        FileName = std::move(*chosen);
        return std::nullopt;
    }
    if (cancelError_)
        return Failure{error::dialogCancelled, u"تم إلغاء مربع الحوار"};
    return std::nullopt;
}

} // namespace sheetpush
