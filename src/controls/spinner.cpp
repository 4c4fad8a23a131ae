#include "controls/spinner.hpp"
#include "vocabulary/error_numbers.hpp"

#include <tuple>

namespace sheetpush {

Status Spinner::setValue(std::int64_t value) {
    if (value < min_ || value > max_)
        return error::invalidPropertyValue();
    if (value == value_)
        return {};
    value_ = static_cast<std::int32_t>(value);
    onChange_.raise();
    return {};
}

// Held at the range's ends, a step never leaves it.
void Spinner::stepUp() {
    if (value_ < max_)
        std::ignore = setValue(std::int64_t{value_} + 1);
}

void Spinner::stepDown() {
    if (value_ > min_)
        std::ignore = setValue(std::int64_t{value_} - 1);
}

} // namespace sheetpush
