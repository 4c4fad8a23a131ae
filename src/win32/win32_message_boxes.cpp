#include "win32/win32_message_boxes.hpp"

#include "win32_base/wide_text.hpp"

#include <windows.h>

namespace sheetpush::win32 {

void Win32MessageBoxes::show(std::u16string_view prompt, std::u16string_view title,
                             std::uint32_t flags) {
    MessageBoxW(nullptr, wide(prompt).c_str(), wide(title).c_str(), flags);
}

} // namespace sheetpush::win32
