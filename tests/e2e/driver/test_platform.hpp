#pragma once

#include "platform/win32/win32_message_boxes.hpp"
#include "window/window_platform.hpp"

#include <string>
#include <vector>

namespace e2e {

struct ShownMessage {
    std::u16string prompt;
    std::u16string title;
    std::uint32_t flags = 0;
    // Whether a message posted to this thread before the operation had already been dispatched
    // when the box came up: a transfer must not dispatch it.
    bool markerDispatched = false;
};

// Real DDE and real message boxes; every other seam is an inert stand-in the cell operations
// never reach.
class TestPlatform : public sheetpush::WindowPlatform {
public:
    TestPlatform();
    ~TestPlatform() override;

    std::unique_ptr<sheetpush::DdeConversation> newConversation() override;
    sheetpush::MessageBoxes& messageBoxes() override { return messages_; }
    sheetpush::FileDialog& fileDialog() override;
    sheetpush::FileList& fileList() override;
    sheetpush::Launcher& launcher() override;
    sheetpush::SettingsStore& settings() override;
    sheetpush::VariantFormatting& formatting() override;

    const std::vector<ShownMessage>& shown() const { return messages_.shown; }

    // Posts a message to a window of this thread; markerDispatched() tells whether a message
    // loop has run it yet.
    void postMarker();
    bool markerDispatched() const;
    void pumpMessages();

private:
    class RecordingMessageBoxes : public sheetpush::MessageBoxes {
    public:
        explicit RecordingMessageBoxes(TestPlatform& owner) : owner_(owner) {}
        void show(std::u16string_view prompt, std::u16string_view title,
                  std::uint32_t flags) override;
        std::vector<ShownMessage> shown;

    private:
        TestPlatform& owner_;
        sheetpush::win32::Win32MessageBoxes real_;
    };

    struct Inert;
    std::unique_ptr<Inert> inert_;
    RecordingMessageBoxes messages_{*this};
};

} // namespace e2e
