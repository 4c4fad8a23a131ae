#pragma once

#include "controls/change_notification.hpp"
#include "vocabulary/result.hpp"

#include <cstdint>
#include <functional>
#include <utility>

namespace sheetpush {

// An up-down control holding a signed 32-bit value within [min, max]. Its change notification
// runs only when the value really changes, which is what ends the field-and-spinner chain.
class Spinner {
public:
    Spinner(std::int32_t min, std::int32_t max) : min_(min), max_(max) {}
    Spinner(const Spinner&) = delete;
    Spinner& operator=(const Spinner&) = delete;

    std::int32_t value() const { return value_; }
    std::int32_t min() const { return min_; }
    std::int32_t max() const { return max_; }

    // A value outside the range is refused and the spinner keeps the one it had.
    Status setValue(std::int64_t value);

    // The arrow clicks: one step from the spinner's own value, held at the range's ends.
    void stepUp();
    void stepDown();

    // Adds a handler to the change notification.
    void onChange(std::function<void()> handler) { onChange_.subscribe(std::move(handler)); }

private:
    std::int32_t min_;
    std::int32_t max_;
    std::int32_t value_ = 0;
    ChangeNotification onChange_;
};

} // namespace sheetpush
