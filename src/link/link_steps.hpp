#pragma once

#include "controls/messages.hpp"
#include "vocabulary/result.hpp"

namespace sheetpush {

// The right-to-left message of a failed transfer: the fixed prompt, a carriage return and the
// failure's description.
void showLinkFailure(const Messages& messages, const Failure& failure);

} // namespace sheetpush
