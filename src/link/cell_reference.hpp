#pragma once

#include "vocabulary/result.hpp"

#include <string>
#include <string_view>

namespace sheetpush {

// The leading number of a row or column text: blanks, tabs and line feeds are dropped, "&H" and
// "&O" read hexadecimal and octal integers, anything else reads sign, digits with one ".", and an
// exponent; a text without a leading number is 0. A number beyond a double is an overflow.
Result<double> parseNumber(std::u16string_view text);

// A value as text behind its sign position: a blank for zero and above, "-" below. Whole values
// below 1E15 have no decimal point, larger ones use the exponent form, 15 significant digits.
std::u16string numberText(double value);

// The R1C1 item of the cell at row and column: "R", the row's number text without a blank in
// its sign position, "C", the column's the same way.
std::u16string cellItem(double row, double column);

// The R1C1 item and, when a row or column text overflowed, the later of those failures; an
// overflowing number stands as 0, a cell Excel refuses.
struct CellReference {
    std::u16string item;
    Status parsed;
};

CellReference buildCellReference(std::u16string_view rowText, std::u16string_view columnText);

} // namespace sheetpush
