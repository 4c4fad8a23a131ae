#pragma once

#include <string>
#include <string_view>

namespace e2e {

// The programs' files, logs and reports are UTF-8; Windows speaks UTF-16.
std::string utf8(std::wstring_view text);
std::string utf8(std::u16string_view text);
std::wstring fromUtf8(std::string_view bytes);

// The same in the ANSI code page, the one CF_TEXT carries.
std::string ansi(std::wstring_view text);
std::wstring fromAnsi(std::string_view bytes);

} // namespace e2e
