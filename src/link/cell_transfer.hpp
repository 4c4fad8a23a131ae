#pragma once

#include "controls/messages.hpp"
#include "controls/text_box.hpp"
#include "link/linked_text_box.hpp"

namespace sheetpush {

// The fields a cell operation reads, and the linked field it transfers through.
struct CellFields {
    LinkedTextBox& cellText;
    const TextBox& column;
    const TextBox& row;
    const TextBox& sheet;
};

// The two cell operations: the poke of the cell text, and the request that puts the cell's value
// into it. Each returns True when no step failed; otherwise it shows the link failure message
// with the last failure's description and returns False.
bool pokeCell(const CellFields& fields, const Messages& messages);
bool requestCell(const CellFields& fields, const Messages& messages);

} // namespace sheetpush
