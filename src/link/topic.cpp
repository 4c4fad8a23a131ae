#include "link/topic.hpp"

namespace sheetpush {

std::u16string buildTopic(std::u16string_view sheetName) {
    return u"Excel|" + std::u16string(sheetName);
}

} // namespace sheetpush
