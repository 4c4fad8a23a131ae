#pragma once

#include "vocabulary/result.hpp"

#include <string_view>

namespace sheetpush {

// The text that goes into one cell, checked before anything is sent. Excel ends a cell's value
// with CR LF; that one line end is dropped, so that a text read from a cell writes back as it
// was. Excel keeps only what stands before a TAB, CR or LF in a cell's text and acknowledges the
// rest as written, and a NUL ends the text early on the way: a text that still holds any of them
// is refused.
Result<std::u16string_view> cellText(std::u16string_view text);

// A NUL would end the sheet's name early on the way, and the text would land on another sheet.
Status checkSheetName(std::u16string_view sheetName);

} // namespace sheetpush
