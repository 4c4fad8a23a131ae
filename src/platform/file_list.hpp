#pragma once

#include "vocabulary/result.hpp"

#include <string_view>

namespace sheetpush {

// Counts the files in a folder whose names match a pattern, ignoring letter case. A folder
// that does not exist or cannot be read is a failure.
class FileList {
public:
    virtual ~FileList() = default;
    virtual Result<int> countMatching(std::u16string_view folder, std::u16string_view pattern) = 0;
};

} // namespace sheetpush
