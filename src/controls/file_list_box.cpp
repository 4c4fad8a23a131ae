#include "controls/file_list_box.hpp"

#include <utility>

namespace sheetpush {

Status FileListBox::setPath(std::u16string folder) {
    auto count = files_.countMatching(folder, pattern);
    if (!count.ok())
        return count.failure();
    path_ = std::move(folder);
    return {};
}

} // namespace sheetpush
