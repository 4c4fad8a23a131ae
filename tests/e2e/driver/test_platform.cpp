#include "test_platform.hpp"

#include "win32/raw_dde_conversation.hpp"

#include <windows.h>

namespace e2e {

TestPlatform::TestPlatform()
    : marker_(sheetpush::win32::makeMessageWindow(L"SheetpushE2eMarker", *this)) {}

LRESULT TestPlatform::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP)
        return DefWindowProcW(handle(), message, wParam, lParam);
    markerRan_ = true;
    return 0;
}

std::unique_ptr<sheetpush::DdeConversation> TestPlatform::newConversation() {
    return std::make_unique<sheetpush::win32::RawDdeConversation>();
}

void TestPlatform::postMarker() {
    markerRan_ = false;
    PostMessageW(marker_.get(), WM_APP, 0, 0);
}

bool TestPlatform::markerDispatched() const {
    return markerRan_;
}

void TestPlatform::pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

void TestPlatform::OnScreenBoxes::show(std::u16string_view prompt, std::u16string_view title,
                                       std::uint32_t flags) {
    markerDispatchedBefore = owner_.markerDispatched();
    FakeMessageBoxes::show(prompt, title, flags);
    real_.show(prompt, title, flags);
}

} // namespace e2e
