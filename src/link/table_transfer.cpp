#include "link/table_transfer.hpp"

#include "link/cell_reference.hpp"
#include "link/cell_text.hpp"
#include "link/link_steps.hpp"
#include "link/topic.hpp"
#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"

#include <algorithm>
#include <string_view>
#include <utility>

namespace sheetpush {

namespace {

constexpr std::u16string_view rowEnd = u"\r\n";
// How long a band that is asked for assumes its cells to be, in units: before any row has been
// read, several times what a report's cell holds, so that the first answer stays small and yet
// a block of a hundred rows of ten goes in one; after that, never shorter than a short cell, so
// that rows that follow a few empty ones cannot make an answer many times bandUnits.
constexpr std::size_t firstCellUnits = 64;
constexpr std::size_t shortCellUnits = 16;

// A number as the cell's item writes it, without the blank of its sign position.
std::u16string written(double number) {
    auto text = numberText(number);
    return text.front() == u' ' ? text.substr(1) : text;
}

// The block on the sheet: its top left cell as the fields name it, and its size.
struct Block {
    double top;
    double left;
    std::size_t rows;
    std::size_t columns;
};

// The item of count rows of the block from its row first on. A band of one cell is named as a
// cell is, for which Excel's rules are documented.
std::u16string bandItem(const Block& block, std::size_t first, std::size_t count) {
    const double top = block.top + static_cast<double>(first);
    auto item = cellItem(top, block.left);
    if (count == 1 && block.columns == 1)
        return item;
    return item + u':' +
           cellItem(top + static_cast<double>(count - 1),
                    block.left + static_cast<double>(block.columns - 1));
}

// The block the fields name, refused when it reaches past the sheet's last row or column; a top
// left cell that names no cell at all is Excel's to refuse, as for a cell operation.
Result<Block> blockAt(const CellFields& fields, std::size_t rows, std::size_t columns) {
    if (auto sheet = checkSheetName(fields.sheet.text()); !sheet.ok())
        return sheet.failure();
    auto top = parseNumber(fields.row.text());
    if (!top.ok())
        return top.failure();
    auto left = parseNumber(fields.column.text());
    if (!left.ok())
        return left.failure();
    const Block block{top.value(), left.value(), rows, columns};
    const double bottom = block.top + static_cast<double>(rows - 1);
    const double right = block.left + static_cast<double>(columns - 1);
    if (bottom > static_cast<double>(sheetRows))
        return error::invalidArgument(text::pastLastRow(written(bottom), sheetRows));
    if (right > static_cast<double>(sheetColumns))
        return error::invalidArgument(text::pastLastColumn(written(right), sheetColumns));
    return block;
}

// The whole table as one text, every row ended by CR LF, and where each row ends in it.
struct BlockText {
    std::u16string text;
    std::vector<std::size_t> rowEnds;
};

Failure inCell(const Failure& failure, std::size_t row, std::size_t column) {
    return {failure.number, text::inCell(row + 1, column + 1, failure.description)};
}

Result<BlockText> blockText(const TextTable& table) {
    BlockText block;
    for (std::size_t row = 0; row < table.rows; ++row) {
        const std::size_t start = block.text.size();
        for (std::size_t column = 0; column < table.columns; ++column) {
            auto text = cellText(table.at(row, column));
            if (!text.ok())
                return inCell(text.failure(), row, column);
            if (column != 0)
                block.text += u'\t';
            block.text += text.value();
        }
        block.text += rowEnd;
        if (block.text.size() - start > bandUnits)
            return error::invalidArgument(
                text::rowTooLong(row + 1, block.text.size() - start, bandUnits));
        block.rowEnds.push_back(block.text.size());
    }
    return block;
}

// The rows of one band: from first, count of them.
struct Band {
    std::size_t first;
    std::size_t count;
};

// As many whole rows as fit in bandUnits, and at least one.
std::vector<Band> bands(const BlockText& block) {
    std::vector<Band> found;
    std::size_t start = 0;
    for (std::size_t first = 0; first < block.rowEnds.size();) {
        std::size_t end = first + 1;
        while (end < block.rowEnds.size() && block.rowEnds[end] - start <= bandUnits)
            ++end;
        found.push_back({first, end - first});
        start = block.rowEnds[end - 1];
        first = end;
    }
    return found;
}

// The conversation on the sheet, opened with the link settings every transfer makes, the item of
// the first band set before the topic and the topic before the mode.
Status openLink(const CellFields& fields, std::u16string firstItem) {
    auto& link = fields.cellText;
    link.linkTimeout = tenthsOf(transferTimeout);
    link.linkItem = std::move(firstItem);
    link.linkTopic = buildTopic(fields.sheet.text());
    return link.setLinkMode(LinkMode::manual);
}

Failure withRowsLanded(const Failure& failure, std::size_t landed, std::size_t rows) {
    return {failure.number, text::rowsLanded(failure.description, landed, rows)};
}

// Writes the bands in turn; the first carries the whole text for the choice of its format.
Status pokeBands(const CellFields& fields, const Block& block, const BlockText& text,
                 const std::vector<Band>& planned) {
    auto& link = fields.cellText;
    for (const auto& band : planned) {
        const std::size_t start = band.first == 0 ? 0 : text.rowEnds[band.first - 1];
        const std::u16string_view part = std::u16string_view(text.text).substr(
            start, text.rowEnds[band.first + band.count - 1] - start);
        link.linkItem = bandItem(block, band.first, band.count);
        auto poked = band.first == 0 ? link.pokePart(part, text.text) : link.poke(part);
        if (!poked.ok())
            return planned.size() > 1 ? withRowsLanded(poked.failure(), band.first, block.rows)
                                      : poked.failure();
    }
    return {};
}

Failure misshapen(std::u16string_view item) {
    return error::ddeRefused(text::tooManyCells(item));
}

// Puts a band's answer into its rows of the table: rows end at CR LF, cells at a TAB, and what
// Excel leaves out is empty. The longest row of the answer, in units, line end included.
Result<std::size_t> readBand(std::u16string_view answer, const Band& band, std::u16string_view item,
                             TextTable& table) {
    if (answer.ends_with(rowEnd))
        answer.remove_suffix(rowEnd.size());
    std::size_t longest = 0;
    for (std::size_t row = 0;; ++row) {
        const auto end = std::min(answer.find(rowEnd), answer.size());
        if (row == band.count)
            return misshapen(item);
        longest = std::max(longest, end + rowEnd.size());
        auto line = answer.substr(0, end);
        for (std::size_t column = 0;; ++column) {
            const auto tab = std::min(line.find(u'\t'), line.size());
            if (column == table.columns)
                return misshapen(item);
            table.cells[(band.first + row) * table.columns + column] = line.substr(0, tab);
            if (tab == line.size())
                break;
            line.remove_prefix(tab + 1);
        }
        if (end == answer.size())
            return longest;
        answer.remove_prefix(end + rowEnd.size());
    }
}

// How many of the rows left to read the next band asks for: as many as fit in bandUnits when
// each is as long as the longest row read so far.
std::size_t bandRows(std::size_t left, std::size_t columns, std::optional<std::size_t> longest) {
    const std::size_t assumed =
        std::max(longest.value_or(0), columns * (longest ? shortCellUnits : firstCellUnits));
    return std::min(left, std::max<std::size_t>(1, bandUnits / assumed));
}

} // namespace

bool pokeTable(const CellFields& fields, const TextTable& table, const Messages& messages) {
    if (table.cells.empty())
        return true;
    auto block = blockAt(fields, table.rows, table.columns);
    auto text = block.ok() ? blockText(table) : block.failure();
    if (!text.ok()) {
        showLinkFailure(messages, text.failure());
        return false;
    }
    const auto planned = bands(text.value());
    auto poked = openLink(fields, bandItem(block.value(), 0, planned.front().count));
    if (poked.ok())
        poked = pokeBands(fields, block.value(), text.value(), planned);
    if (poked.ok())
        return true;
    showLinkFailure(messages, poked.failure());
    return false;
}

std::optional<TextTable> requestTable(const CellFields& fields, std::size_t rows,
                                      std::size_t columns, const Messages& messages) {
    auto block = blockAt(fields, rows, columns);
    if (!block.ok()) {
        showLinkFailure(messages, block.failure());
        return std::nullopt;
    }
    TextTable table{rows, columns, std::vector<std::u16string>(rows * columns)};
    std::optional<std::size_t> longest;
    Band band{0, bandRows(rows, columns, longest)};
    auto read = openLink(fields, bandItem(block.value(), 0, band.count));
    while (read.ok() && band.first < rows) {
        band.count = bandRows(rows - band.first, columns, longest);
        auto item = bandItem(block.value(), band.first, band.count);
        fields.cellText.linkItem = item;
        auto answer = fields.cellText.requestValue();
        auto longestRow =
            answer.ok() ? readBand(answer.value(), band, item, table) : answer.failure();
        if (!longestRow.ok()) {
            read = longestRow.failure();
            break;
        }
        longest = std::max(longest.value_or(0), longestRow.value());
        band.first += band.count;
    }
    if (read.ok())
        return table;
    showLinkFailure(messages, read.failure());
    return std::nullopt;
}

} // namespace sheetpush
