#include "support/text.hpp"

#include "win32_base/wide_text.hpp"

#include <windows.h>

namespace e2e {

namespace {

std::string encoded(std::wstring_view text, UINT codePage) {
    int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), length,
                        nullptr, nullptr);
    return out;
}

std::wstring decoded(std::string_view bytes, UINT codePage) {
    int length =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
    return text;
}

} // namespace

std::string utf8(std::wstring_view text) {
    return sheetpush::win32::utf8(text);
}

std::string utf8(std::u16string_view text) {
    return sheetpush::win32::utf8(sheetpush::win32::wide(text));
}

std::wstring fromUtf8(std::string_view bytes) {
    return decoded(bytes, CP_UTF8);
}

std::string ansi(std::wstring_view text) {
    return encoded(text, CP_ACP);
}

std::wstring fromAnsi(std::string_view bytes) {
    return decoded(bytes, CP_ACP);
}

} // namespace e2e
