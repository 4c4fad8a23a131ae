#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sheetpush::win32 {

// The text in the ANSI code page, or nothing when the code page cannot carry it exactly: a
// character outside it would otherwise become the default character or a best-fit look-alike,
// which stands in for the text as though it were the same, and a NUL would end it early. Under a
// UTF-8 code page only a lone surrogate is lost.
std::optional<std::string> exactAnsi(std::u16string_view text);

} // namespace sheetpush::win32
