#include "win32/win32_file_list.hpp"

#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"
#include "win32/system_failure.hpp"
#include "win32_base/raii.hpp"
#include "win32_base/wide_text.hpp"

#include <windows.h>

namespace sheetpush::win32 {

namespace {

Failure pathNotFound() {
    return error::fileListPath(text::pathNotFound);
}

// An empty name would mean the current folder, which is not the folder anybody asked about.
bool isReadableFolder(const std::wstring& folder) {
    if (folder.empty())
        return false;
    DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring searchPath(std::wstring folder, std::u16string_view pattern) {
    if (folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder + wide(pattern);
}

} // namespace

Result<int> Win32FileList::countMatching(std::u16string_view folder, std::u16string_view pattern) {
    std::wstring path = wide(folder);
    if (!isReadableFolder(path))
        return pathNotFound();
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(FindFirstFileExW(searchPath(path, pattern).c_str(), FindExInfoBasic,
                                             &found, FindExSearchNameMatch, nullptr, 0));
    if (!search)
        return GetLastError() == ERROR_FILE_NOT_FOUND
                   ? Result<int>(0)
                   : systemFailure(trace_, u"FindFirstFileExW, a search for Excel.exe",
                                   pathNotFound(), GetLastError());
    int count = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++count;
    } while (FindNextFileW(search.get(), &found));
    return count;
}

} // namespace sheetpush::win32
