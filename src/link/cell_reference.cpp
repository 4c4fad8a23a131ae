#include "link/cell_reference.hpp"
#include "vocabulary/catalogue.hpp"
#include "vocabulary/error_numbers.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <system_error>

namespace sheetpush {

namespace {

// Far beyond any exponent a double can reach, small enough that digit counts added to it
// cannot overflow.
constexpr std::int64_t exponentCeiling = 1'000'000'000;

Failure overflowFailure(std::u16string_view text) {
    return error::overflow(text::numberOverflow(text));
}

std::u16string withoutBlanks(std::u16string_view text) {
    std::u16string kept;
    for (char16_t c : text)
        if (c != u' ' && c != u'\t' && c != u'\n')
            kept += c;
    return kept;
}

std::optional<int> digitValue(char16_t c, int radix) {
    int value = radix;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    if (value >= radix)
        return std::nullopt;
    return value;
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Up to FFFF the bits are a 16-bit integer, so "&HFFFF" is -1; above, a 32-bit one.
Result<double> radixInteger(std::u16string_view digits, int radix, std::u16string_view text) {
    std::uint64_t value = 0;
    for (char16_t c : digits) {
        auto digit = digitValue(c, radix);
        if (!digit)
            break;
        value = value * radix + *digit;
        if (value > 0xFFFF'FFFF)
            return overflowFailure(text);
    }
    if (value <= 0xFFFF)
        return static_cast<double>(static_cast<std::int16_t>(value));
    return static_cast<double>(static_cast<std::int32_t>(value));
}

// The leading run of sign, digits with at most one ".", and exponent, copied in the form the
// standard conversion reads, with the power of ten of its first significant digit to tell an
// overflow from an underflow.
struct DecimalRun {
    std::string ascii;
    bool hasDigit = false;
    std::int64_t leadingPower = 0;
};

std::int64_t readExponent(std::u16string_view text, std::size_t& at) {
    std::size_t next = at + 1;
    bool negative = false;
    if (next < text.size() && (text[next] == u'+' || text[next] == u'-'))
        negative = text[next++] == u'-';
    if (next >= text.size() || !isDigit(text[next]))
        return 0;
    std::int64_t exponent = 0;
    for (; next < text.size() && isDigit(text[next]); ++next)
        if (exponent < exponentCeiling)
            exponent = exponent * 10 + (text[next] - u'0');
    at = next;
    return negative ? -exponent : exponent;
}

DecimalRun scanDecimal(std::u16string_view text) {
    DecimalRun run;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
        if (text[at++] == u'-')
            run.ascii += '-';
    std::int64_t digits = 0;
    std::optional<std::int64_t> pointAfter;
    std::optional<std::int64_t> firstSignificant;
    for (; at < text.size(); ++at) {
        char16_t c = text[at];
        if (c == u'.' && !pointAfter) {
            pointAfter = digits;
        } else if (isDigit(c)) {
            if (c != u'0' && !firstSignificant)
                firstSignificant = digits;
            ++digits;
        } else {
            break;
        }
        run.ascii += static_cast<char>(c);
    }
    run.hasDigit = digits > 0;
    if (!run.hasDigit)
        return run;
    std::int64_t exponent = 0;
    if (at < text.size() &&
        (text[at] == u'E' || text[at] == u'e' || text[at] == u'D' || text[at] == u'd'))
        exponent = readExponent(text, at);
    run.ascii += 'e' + std::to_string(exponent);
    run.leadingPower = pointAfter.value_or(digits) - firstSignificant.value_or(0) - 1 + exponent;
    return run;
}

Result<double> decimalNumber(std::u16string_view kept, std::u16string_view text) {
    auto run = scanDecimal(kept);
    if (!run.hasDigit)
        return 0.0;
    double value = 0;
    auto [end, status] =
        std::from_chars(run.ascii.data(), run.ascii.data() + run.ascii.size(), value);
    if (status != std::errc::result_out_of_range)
        return value;
    if (run.leadingPower > 0)
        return overflowFailure(text);
    return 0.0;
}

// A non-negative number's sign position holds a blank, which the reference leaves out; a
// negative number keeps its "-" so that Excel refuses the reference rather than have the text
// land in the cell of the number's absolute value.
void appendPiece(std::u16string& accumulator, char16_t letter, double value) {
    auto piece = letter + numberText(value);
    for (std::size_t position = 0; position < piece.size(); ++position)
        if (position != 1 || piece[position] != u' ')
            accumulator += piece[position];
}

} // namespace

Result<double> parseNumber(std::u16string_view text) {
    auto kept = withoutBlanks(text);
    std::u16string_view view = kept;
    if (view.size() >= 2 && view[0] == u'&') {
        if (view[1] == u'H' || view[1] == u'h')
            return radixInteger(view.substr(2), 16, text);
        if (view[1] == u'O' || view[1] == u'o')
            return radixInteger(view.substr(2), 8, text);
    }
    return decimalNumber(view, text);
}

std::u16string numberText(double value) {
    char digits[32];
    auto end = std::to_chars(digits, digits + sizeof digits, std::fabs(value),
                             std::chars_format::general, 15)
                   .ptr;
    std::u16string text(1, value < 0 ? u'-' : u' ');
    for (const char* c = digits; c != end; ++c)
        text += *c == 'e' ? u'E' : static_cast<char16_t>(*c);
    return text;
}

std::u16string cellItem(double row, double column) {
    std::u16string item;
    appendPiece(item, u'R', row);
    appendPiece(item, u'C', column);
    return item;
}

CellReference buildCellReference(std::u16string_view rowText, std::u16string_view columnText) {
    CellReference reference;
    double numbers[2] = {0, 0};
    for (int place : {0, 1}) {
        auto number = parseNumber(place == 0 ? rowText : columnText);
        if (number.ok())
            numbers[place] = number.value();
        else
            reference.parsed = number.failure();
    }
    reference.item = cellItem(numbers[0], numbers[1]);
    return reference;
}

} // namespace sheetpush
