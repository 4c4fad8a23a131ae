#include "win32/win32_platform.hpp"

#include "win32/link_window.hpp"
#include "win32/raw_dde_conversation.hpp"

namespace sheetpush::win32 {

std::unique_ptr<DdeConversation> Win32Platform::newConversation() {
    return std::make_unique<RawDdeConversation>();
}

std::unique_ptr<WindowView> Win32Platform::newView(sheetpush::LinkWindow& window) {
    return std::make_unique<LinkWindow>(window);
}

} // namespace sheetpush::win32
