#include "fuzz_text.hpp"
#include "link/cell_reference.hpp"

#include <cmath>

using namespace sheetpush;

// The row and column texts are split at the first unit 0x0000 of the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto text = fuzz::utf16Units(data, size);
    auto split = text.find(u'\0');
    auto row = text.substr(0, split);
    auto column = split == std::u16string::npos ? std::u16string() : text.substr(split + 1);

    auto parsed = parseNumber(row);
    if (parsed.ok()) {
        fuzz::require(std::isfinite(parsed.value()));
        auto shown = numberText(parsed.value());
        fuzz::require(!shown.empty() && (shown[0] == u' ' || shown[0] == u'-'));
        fuzz::require(shown.size() <= 32);
    }

    auto reference = buildCellReference(row, column);
    fuzz::require(reference.item.starts_with(u"R"));
    fuzz::require(reference.item.find(u'C') != std::u16string::npos);
    fuzz::require(reference.item.find(u' ') == std::u16string::npos);
    fuzz::require(!reference.parsed.ok() == (!parseNumber(row).ok() || !parseNumber(column).ok()));
    return 0;
}
