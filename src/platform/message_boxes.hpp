#pragma once

#include <cstdint>
#include <string_view>

namespace sheetpush {

// Flags of every message the system shows: OK alone, information icon, right-aligned,
// right-to-left reading.
inline constexpr std::uint32_t rightToLeftMessageFlags = 0x180040;

// Modal message boxes; show returns when the user has closed the box.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(std::u16string_view prompt, std::u16string_view title,
                      std::uint32_t flags) = 0;
};

} // namespace sheetpush
