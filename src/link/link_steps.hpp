#pragma once

#include "platform/message_boxes.hpp"
#include "vocabulary/failure.hpp"

#include <cstdint>

namespace sheetpush {

// How long every transfer of the link window waits for Excel, in tenths of a second.
inline constexpr std::int16_t linkTimeoutTenths = 100;

// The right-to-left message of a failed transfer: the fixed prompt, a carriage return and the
// failure's description.
void showLinkFailure(MessageBoxes& messages, const Failure& failure);

} // namespace sheetpush
