#include "controls/spinner.hpp"

namespace sheetpush {

Status Spinner::setValue(std::int64_t value) {
    if (value < min_ || value > max_)
        return Failure{error::invalidPropertyValue, u"قيمة خارج حدود عداد الأرقام"};
    if (value == value_)
        return std::nullopt;
    value_ = static_cast<std::int32_t>(value);
    onChange_.raise();
    return std::nullopt;
}

void Spinner::stepUp() {
    if (value_ < max_)
        setValue(std::int64_t{value_} + 1);
}

void Spinner::stepDown() {
    if (value_ > min_)
        setValue(std::int64_t{value_} - 1);
}

} // namespace sheetpush
