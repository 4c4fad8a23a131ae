#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// On Windows wchar_t is a UTF-16 unit, so the core's text and the platform's are the same
// sequence of units under two type names.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace sheetpush::win32 {

inline std::wstring wide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

// A NUL-terminated text of the core, where the system takes a C string.
inline const wchar_t* wideCString(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

inline std::u16string utf16(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// The text in UTF-8, a lone surrogate as U+FFFD.
inline std::string utf8(std::wstring_view text) {
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

} // namespace sheetpush::win32
