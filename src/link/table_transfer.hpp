#pragma once

#include "link/cell_transfer.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sheetpush {

// A block of cell texts, row after row, every row as wide as the block.
struct TextTable {
    std::size_t rows = 0;
    std::size_t columns = 0;
    std::vector<std::u16string> cells;

    const std::u16string& at(std::size_t row, std::size_t column) const {
        return cells[row * columns + column];
    }
    friend bool operator==(const TextTable&, const TextTable&) = default;
};

// The last row and column of Excel's sheets.
inline constexpr std::size_t sheetRows = 1048576;
inline constexpr std::size_t sheetColumns = 16384;

// The most UTF-16 units of a table that one message carries: 256 KiB as Unicode, and no more
// than 384 KiB in any ANSI code page. Wine ends a process that is sent a block of about 2 MiB,
// and a band's fixed cost is already small beside its data at this size.
inline constexpr std::size_t bandUnits = 131072;

// Writes table into the block whose top left cell the row and column fields name, read as the
// cell operations read them, on the sheet the sheet field names; each cell's text goes as a poke
// of one cell sends it (cellText). Everything is checked before anything is sent: the cells'
// texts, the block within the sheet's last row and column, each row within one message, and the
// conversation's text format for the whole table. The table goes in bands of as many whole rows
// as fit in bandUnits, each one poke, every row ended by CR LF and its cells separated by TABs.
// True when Excel took every band. Otherwise False after the link failure message; when the
// table went in several bands, the description says how many rows landed before the refusal.
bool pokeTable(const CellFields& fields, const TextTable& table, const Messages& messages);

// The texts of the block of rows x columns, both at least 1, whose top left cell the fields
// name, each cell's text without the TAB and line end around it. The block is asked for in bands
// of whole rows, sized so that Excel's answers stay within bandUnits as far as the rows read so
// far tell. Nothing, after the link failure message, when any band fails.
std::optional<TextTable> requestTable(const CellFields& fields, std::size_t rows,
                                      std::size_t columns, const Messages& messages);

} // namespace sheetpush
