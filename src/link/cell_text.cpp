#include "link/cell_text.hpp"
#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"

namespace sheetpush {

namespace {

constexpr std::u16string_view lineEnd = u"\r\n";
constexpr std::u16string_view cellBreaks = u"\t\r\n";
constexpr std::u16string_view nul{u"\0", 1};

} // namespace

Result<std::u16string_view> cellText(std::u16string_view text) {
    if (text.ends_with(lineEnd))
        text.remove_suffix(lineEnd.size());
    if (text.find(nul) != std::u16string_view::npos)
        return error::invalidArgument(text::textWithNul);
    if (text.find_first_of(cellBreaks) != std::u16string_view::npos)
        return error::invalidArgument(text::textWithBreak);
    return text;
}

Status checkSheetName(std::u16string_view sheetName) {
    if (sheetName.find(nul) != std::u16string_view::npos)
        return error::invalidArgument(text::sheetWithNul);
    return {};
}

} // namespace sheetpush
