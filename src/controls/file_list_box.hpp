#pragma once

#include "platform/file_list.hpp"
#include "vocabulary/result.hpp"

#include <string>

namespace sheetpush {

// The hidden file list: a pattern, a folder, and the number of matching files in it.
class FileListBox {
public:
    explicit FileListBox(FileList& files) : files_(files) {}

    std::u16string pattern = u"*.*";

    // Fails, and keeps the folder it had, when the folder does not exist or cannot be read.
    Status setPath(std::u16string folder);
    const std::u16string& path() const { return path_; }

    Result<int> matchingCount() const { return files_.countMatching(path_, pattern); }

private:
    FileList& files_;
    std::u16string path_;
};

} // namespace sheetpush
