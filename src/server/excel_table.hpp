#pragma once

#include "vocabulary/result.hpp"
#include "vocabulary/variant.hpp"
#include "window/window_platform.hpp"

namespace sheetpush {

// The automation class for whole tables. Like ExcelLinke it has no state of its own: every
// instance works on the link window of the thread that serves it, the one ExcelLinke's objects
// use, and so shares its fields and its conversations with Excel. Col, Row and Sheet go into the
// window's column, row and sheet fields as the cell methods write them, and are read from there.
class ExcelTable {
public:
    explicit ExcelTable(WindowPlatform& platform) : platform_(platform) {}

    // Writes Values, a 2-D array of rows by columns or a 1-D one for one row, into the block whose
    // top left cell is (Col, Row) of Sheet: VT_BOOL, True when Excel took the whole block. Each
    // element goes as Sheetpush's txt would, Empty as an empty cell. Values that are no array of
    // one or two dimensions are refused with the link failure message and False; an element, Col,
    // Row or Sheet that has no text is an automation error, as it is for Sheetpush.
    Result<Variant> SheetpushTable(const Variant& Values, const Variant& Col, const Variant& Row,
                                   const Variant& Sheet);

    // The block of Rows by Cols whose top left cell is (Col, Row) of Sheet, as a 2-D array of
    // rows by columns of each cell's text, both lower bounds 1 as a range's value has them; Empty
    // after the link failure message. Cols and Rows are whole numbers of at least 1.
    Result<Variant> ImportTable(const Variant& Col, const Variant& Row, const Variant& Cols,
                                const Variant& Rows, const Variant& Sheet);

private:
    WindowPlatform& platform_;
};

} // namespace sheetpush
