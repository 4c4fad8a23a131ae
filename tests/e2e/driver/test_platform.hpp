#pragma once

#include "fakes/fake_platform.hpp"
#include "win32/win32_message_boxes.hpp"
#include "win32_base/message_window.hpp"

namespace e2e {

// The unit tests' fake platform with the real DDE conversation and real message boxes, which a
// closer reads off the screen; the cell operations reach no other seam.
class TestPlatform : public sheetpush::fakes::FakePlatform {
public:
    TestPlatform();

    std::unique_ptr<sheetpush::DdeConversation> newConversation() override;
    sheetpush::MessageBoxes& messageBoxes() override { return boxes_; }

    const std::vector<sheetpush::fakes::ShownMessage>& shown() const { return boxes_.shown; }

    // Posts a message to a window of this thread; markerDispatched() tells whether a message
    // loop has run it yet.
    void postMarker();
    bool markerDispatched() const;
    // Whether the marker had been dispatched when the last message box came up: a transfer must
    // not dispatch it.
    bool markerDispatchedBeforeLastBox() const { return boxes_.markerDispatchedBefore; }
    void pumpMessages();

private:
    friend struct sheetpush::win32::WindowProcedure<TestPlatform>;
    HWND handle() const { return marker_.get(); }
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    class OnScreenBoxes : public sheetpush::fakes::FakeMessageBoxes {
    public:
        explicit OnScreenBoxes(const TestPlatform& owner) : owner_(owner) {}
        void show(std::u16string_view prompt, std::u16string_view title,
                  std::uint32_t flags) override;
        bool markerDispatchedBefore = false;

    private:
        const TestPlatform& owner_;
        sheetpush::win32::Win32MessageBoxes real_;
    };

    OnScreenBoxes boxes_{*this};
    bool markerRan_ = false;
    sheetpush::win32::UniqueWindow marker_;
};

} // namespace e2e
