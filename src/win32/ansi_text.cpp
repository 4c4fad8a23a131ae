#include "win32/ansi_text.hpp"

#include "win32_base/wide_text.hpp"

#include <windows.h>

namespace sheetpush::win32 {

std::optional<std::string> exactAnsi(std::u16string_view text) {
    if (text.find(u'\0') != std::u16string_view::npos)
        return std::nullopt;
    std::wstring units = wide(text);
    const UINT codePage = GetACP();
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL defaulted = FALSE;
    BOOL* substitution = codePage == CP_UTF8 ? nullptr : &defaulted;
    int size =
        WideCharToMultiByte(codePage, flags, units.c_str(), -1, nullptr, 0, nullptr, substitution);
    if (size <= 0 || defaulted)
        return std::nullopt;
    std::string narrow(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, flags, units.c_str(), -1, narrow.data(), size, nullptr,
                            nullptr) != size)
        return std::nullopt;
    narrow.pop_back();
    return narrow;
}

} // namespace sheetpush::win32
