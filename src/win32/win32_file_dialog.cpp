#include "win32/win32_file_dialog.hpp"

#include "win32_base/wide_text.hpp"

#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace sheetpush::win32 {

namespace {

// "description|pattern|..." becomes the dialog's NUL-separated pairs, ended by two NULs.
std::wstring dialogFilter(std::u16string_view filter) {
    std::wstring pairs = wide(filter);
    std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
    pairs.append(2, L'\0');
    return pairs;
}

// The suggested name in a buffer of the requested size; a name too long for it is cut.
std::vector<wchar_t> fileBuffer(std::u16string_view suggested, std::size_t size) {
    std::vector<wchar_t> buffer(std::max<std::size_t>(size, 1), L'\0');
    std::wstring name = wide(suggested.substr(0, buffer.size() - 1));
    std::copy(name.begin(), name.end(), buffer.begin());
    return buffer;
}

} // namespace

std::optional<std::u16string> Win32FileDialog::showOpen(const OpenFileRequest& request) {
    std::wstring title = wide(request.title);
    std::wstring filter = dialogFilter(request.filter);
    std::vector<wchar_t> file = fileBuffer(request.fileName, request.maxFileSize);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = request.title.empty() ? nullptr : title.c_str();
    if (!GetOpenFileNameW(&dialog))
        return std::nullopt;
    return utf16(file.data());
}

} // namespace sheetpush::win32
