#pragma once

#include "platform/message_boxes.hpp"

namespace sheetpush::win32 {

// MessageBoxW with no owner window: the box is modal to the calling thread and stays up until
// someone presses its button, whether or not any window of ours is on screen.
class Win32MessageBoxes : public MessageBoxes {
public:
    void show(std::u16string_view prompt, std::u16string_view title, std::uint32_t flags) override;
};

} // namespace sheetpush::win32
