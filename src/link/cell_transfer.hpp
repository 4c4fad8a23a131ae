#pragma once

namespace sheetpush {

class ExcelLink;

// The window's two cell operations: the poke of Text1's text, and the request that puts the
// cell's value into Text1. Each returns True when no step failed; otherwise it shows the link
// failure message with the last failure's description and returns False.
bool pokeCell(ExcelLink& window);
bool requestCell(ExcelLink& window);

} // namespace sheetpush
