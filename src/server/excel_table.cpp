#include "server/excel_table.hpp"

#include "link/cell_reference.hpp"
#include "link/link_steps.hpp"
#include "link/table_transfer.hpp"
#include "platform/argument_text.hpp"
#include "server/field_writes.hpp"
#include "server/thread_link_window.hpp"
#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"
#include "vocabulary/excerpt.hpp"

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace sheetpush {

namespace {

struct Shape {
    std::size_t rows;
    std::size_t columns;
};

// A 1-D array is one row.
Result<Shape> shapeOf(const Variant& values) {
    if (!values.holds<Array>())
        return error::invalidArgument(text::valuesNotArray);
    const auto& dimensions = values.as<Array>().dimensions;
    if (dimensions.size() == 1)
        return Shape{1, dimensions[0].length};
    if (dimensions.size() == 2)
        return Shape{dimensions[0].length, dimensions[1].length};
    return error::invalidArgument(text::valuesDimensions(std::ssize(dimensions)));
}

// The element's place as the client's language writes it, from the array's own lower bounds.
std::u16string place(const Array& values, std::size_t row, std::size_t column) {
    const auto& dimensions = values.dimensions;
    auto columnIndex = decimalText(dimensions.back().lowerBound + static_cast<long long>(column));
    if (dimensions.size() == 1)
        return columnIndex;
    return decimalText(dimensions.front().lowerBound + static_cast<long long>(row)) +
           text::indexSeparator + columnIndex;
}

// Each element's text as Sheetpush takes its txt; the array holds them with the row, its first
// index, changing fastest.
Result<TextTable> tableTexts(const Array& values, Shape shape, VariantFormatting& formatting) {
    TextTable table{shape.rows, shape.columns, {}};
    table.cells.reserve(shape.rows * shape.columns);
    for (std::size_t row = 0; row < shape.rows; ++row)
        for (std::size_t column = 0; column < shape.columns; ++column) {
            auto text = argumentText(values.elements[row + column * shape.rows], formatting);
            if (!text.ok())
                return Failure{text.failure().number, text::inElement(place(values, row, column),
                                                                      text.failure().description)};
            table.cells.push_back(std::move(text).value());
        }
    return table;
}

// A count of rows or columns, a whole number from 1 to the sheet's own count.
Result<std::size_t> blockSize(const std::u16string& text, std::size_t most,
                              std::u16string_view what) {
    auto number = parseNumber(text);
    if (!number.ok())
        return number.failure();
    const double value = number.value();
    if (value >= 1 && value <= static_cast<double>(most) && value == std::floor(value))
        return static_cast<std::size_t>(value);
    return error::invalidArgument(text::badCount(what, text, static_cast<long long>(most)));
}

// Rows by columns, both from 1, the row changing fastest.
Array arrayOf(const TextTable& table) {
    Array array{{{1, table.rows}, {1, table.columns}}, {}};
    array.elements.reserve(table.cells.size());
    for (std::size_t column = 0; column < table.columns; ++column)
        for (std::size_t row = 0; row < table.rows; ++row)
            array.elements.emplace_back(table.at(row, column));
    return array;
}

} // namespace

Result<Variant> ExcelTable::SheetpushTable(const Variant& Values, const Variant& Col,
                                           const Variant& Row, const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    Variant holder;
    auto values = followedValue(Values, holder);
    if (!values.ok())
        return values.failure();
    auto shape = shapeOf(*values.value());
    if (!shape.ok()) {
        showLinkFailure(Messages(platform_), shape.failure());
        return Variant(false);
    }
    auto table = tableTexts(values.value()->as<Array>(), shape.value(), platform_.formatting());
    if (!table.ok())
        return table.failure();
    if (auto written = writeFields(
            u"SheetpushTable", {{Col, &window.column}, {Row, &window.row}, {Sheet, &window.sheet}},
            platform_);
        !written.ok())
        return written.failure();
    return Variant(window.sendTable(table.value()));
}

Result<Variant> ExcelTable::ImportTable(const Variant& Col, const Variant& Row, const Variant& Cols,
                                        const Variant& Rows, const Variant& Sheet) {
    auto& window = threadLinkWindow(platform_);
    auto texts = writeFields(u"ImportTable",
                             {{Col, &window.column},
                              {Row, &window.row},
                              {Cols, nullptr},
                              {Rows, nullptr},
                              {Sheet, &window.sheet}},
                             platform_);
    if (!texts.ok())
        return texts.failure();
    auto columns = blockSize(texts.value()[2], sheetColumns, text::columnsCount);
    auto rows = blockSize(texts.value()[3], sheetRows, text::rowsCount);
    if (!columns.ok() || !rows.ok()) {
        showLinkFailure(Messages(platform_), (columns.ok() ? rows : columns).failure());
        return Variant(Empty{});
    }
    auto table = window.requestTable(rows.value(), columns.value());
    if (!table)
        return Variant(Empty{});
    return Variant(arrayOf(*table));
}

} // namespace sheetpush
